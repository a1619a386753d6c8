#include "users/login.h"

#include "users/rights.h"
#include "store/machine_settings.h"
#include "store/text_rules.h"

#include <QDir>
#include <QFileInfo>

namespace dajdor {
namespace {
const QString kLoginTitle = QStringLiteral("Autentificare");
}

LoginResult logIn(const QString& typedName, const QString& typedPassword, UsersFile& users,
                  CurrentUser& user, Interaction& interaction) {
  LoginResult result;
  result.name = CleanSpaces(typedName);
  user.name = UsersFile::cut(result.name);
  user.password = UsersFile::cut(typedPassword);
  user.level = UserLevel::Nobody;
  user.legitimation.clear();
  try {
    if (!users.exists()) {
      users.createWithFirstAdministrator();
      interaction.message(QStringLiteral("PRIMA PORNIRE"),
                          QStringLiteral("Numele este ADMIN si parola este 482.\rPuteti modifica parola de la "
                                         "Utilitare > Contul meu"),
                          Button::Ok, MessageKind::Information);
      user.name = result.name = QString::fromLatin1(UsersFile::kFirstAdminName);
      user.password = QString::fromLatin1(UsersFile::kFirstAdminPassword);
      result.firstStart = true;
    }
    result.success = checkUser(users.read(), user);
  } catch (const UsersFileError& e) {
    user.level = UserLevel::Nobody;
    interaction.error(kLoginTitle, e.message());
    result.success = false;
  }
  return result;
}

QString previousYearOffer(bool databaseEmpty, int level, const QString& previousInstallDir) {
  if (!databaseEmpty || !mayBeOfferedNewYearTakeover(level) || previousInstallDir.trimmed().isEmpty()) return {};
  const QString dataDir = QDir(previousInstallDir).filePath(QStringLiteral("Data"));
  if (!QFileInfo(previousInstallDir).isDir() || !QFileInfo(dataDir).isDir()) return {};
  return dataDir;
}

QString previousYearOffer(bool databaseEmpty, int level) {
  return previousYearOffer(databaseEmpty, level,
                           MachineSettings(MachineSettings::kPreviousVersion).ReadRegistry(QStringLiteral("CALE")));
}

}  // namespace dajdor
