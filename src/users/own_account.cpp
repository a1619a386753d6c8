#include "users/own_account.h"

namespace dajdor {
namespace {
const QString kTitle = QStringLiteral("Schimbare cont");
}

bool checkOwnAccount(const QString& newPassword, const QString& checkPassword, const QString& legitimation,
                     Interaction& interaction) {
  if (newPassword.isEmpty() || newPassword != checkPassword) {
    interaction.problem(QStringLiteral("Parola nesetata sau nu este identica in cele doua casute!"),
                        OwnAccountField::NewPassword);
    return false;
  }
  for (const auto& [text, field] : {std::pair{newPassword, OwnAccountField::NewPassword},
                                    std::pair{legitimation, OwnAccountField::Legitimation}}) {
    const QString bad = UsersFile::unstorableCharacter(text);
    if (!bad.isEmpty()) {
      interaction.problem(QStringLiteral("Caracterul \"%1\" nu poate fi memorat!").arg(bad), field);
      return false;
    }
  }
  return true;
}

bool saveOwnAccount(UsersFile& users, CurrentUser& user, const QString& newPassword, const QString& legitimation,
                    Interaction& interaction) {
  try {
    const QList<UserRecord> records = users.read();
    // The last matching record is the one whose level the login took.
    int found = -1;
    for (int i = 0; i < records.size(); ++i)
      if (records[i].name == user.name && records[i].password == user.password) found = i;
    if (found < 0) {
      interaction.error(kTitle, QStringLiteral("Modificarile nu pot fi memorate!"));
      return false;
    }
    const UserRecord changed{user.name, UsersFile::cut(newPassword), user.level, UsersFile::cut(legitimation)};
    users.replace(found, changed);
    user.password = changed.password;
    user.legitimation = changed.legitimation;
  } catch (const UsersFileError& e) {
    interaction.error(kTitle, e.message());
    return false;
  }
  interaction.info(kTitle, QStringLiteral("Modificarile au fost memorate cu succes!"));
  return true;
}

}  // namespace dajdor
