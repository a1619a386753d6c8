#include "users/user_management.h"

#include "store/files.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/text_rules.h"

#include <QFile>

namespace dajdor {
namespace {

const QString kTitle = QStringLiteral("Gestiune utilizatori");
const QString kSeriesKey = QStringLiteral("SERIA");
const QString kNumberKey = QStringLiteral("CHIT");

bool isNumber(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

}  // namespace

UserManagement::UserManagement(engine::Database& database, QString appDir, UsersFile users, SettingsFile settings,
                               Interaction& interaction, const CurrentUser& user)
    : database_(database),
      appDir_(std::move(appDir)),
      users_(std::move(users)),
      settings_(std::move(settings)),
      interaction_(interaction),
      user_(user) {}

UserManagement::~UserManagement() { close(); }

void UserManagement::reportFailure(const std::exception& e) const {
  if (const auto* users = dynamic_cast<const UsersFileError*>(&e))
    interaction_.error(kTitle, users->message());
  else
    interaction_.error(kTitle, sql::message(e));
}

bool UserManagement::open() {
  close();
  try {
    const QList<UserRecord> records = users_.read();
    tablePath_ = TempFileName(appDir_, QStringLiteral("U"), QStringLiteral(".dbf"));
    if (tablePath_.isEmpty()) throw StoreError(QStringLiteral("Nu exista un nume liber pentru tabela utilizatorilor."));
    sql::execute(database_, QStringLiteral("CREATE TABLE %1\n(NUME CHAR(32), PAROLA CHAR(32), GRAD CHAR(16), "
                                           "LEGIT CHAR(32), SERIA CHAR(10), NR CHAR(9) )")
                                .arg(sql::table(tablePath_)));
    for (const UserRecord& record : records) {
      if (record.name == user_.name) continue;
      insertRow(record, settings_.ReadSetting(record.name, kSeriesKey), settings_.ReadCounter(record.name, kNumberKey));
    }
    return true;
  } catch (const std::exception& e) {
    reportFailure(e);
    close();
    return false;
  }
}

void UserManagement::close() {
  if (tablePath_.isEmpty()) return;
  QFile::remove(tablePath_);
  tablePath_.clear();
}

void UserManagement::insertRow(const UserRecord& record, const QString& series, const QString& number) {
  sql::execute(database_, QStringLiteral("INSERT INTO %1\n(NUME, PAROLA, GRAD, LEGIT, SERIA, NR)\nVALUES (\n%2,\n"
                                         "%3,%4,\n%5,\n%6,\n%7)")
                              .arg(sql::table(tablePath_), sql::quote(record.name), sql::quote(record.password),
                                   sql::quote(levelText(record.level)), sql::quote(record.legitimation),
                                   sql::quote(series), sql::quote(number)));
}

std::unique_ptr<engine::ResultSet> UserManagement::rows() const {
  return sql::query(database_, QStringLiteral("SELECT * FROM %1\nORDER BY NUME").arg(sql::table(tablePath_)));
}

int UserManagement::rowCount() const {
  if (tablePath_.isEmpty()) return 0;
  return static_cast<int>(sql::scalar(database_, QStringLiteral("SELECT COUNT(*) AS TOT FROM %1").arg(sql::table(tablePath_))));
}

void UserManagement::cleanTexts(UserEntry& entry) {
  entry.name = UsersFile::cut(CleanSpaces(entry.name));
  entry.legitimation = UsersFile::cut(CleanSpaces(entry.legitimation));
  entry.series = CleanSpaces(entry.series).left(kSeriesLength);
  entry.number = entry.number.trimmed();
}

bool UserManagement::checkTexts(const UserEntry& entry) const {
  const std::pair<const QString*, const QString*> texts[] = {{&entry.name, &kNameField},
                                                             {&entry.legitimation, &kLegitimationField},
                                                             {&entry.series, &kSeriesField}};
  for (const auto& [text, field] : texts) {
    const QString bad = UsersFile::unstorableCharacter(*text);
    if (!bad.isEmpty()) {
      interaction_.problem(QStringLiteral("Caracterul \"%1\" nu poate fi memorat!").arg(bad), *field);
      return false;
    }
  }
  const int level = levelFromText(entry.levelText);
  if (level != UserLevel::Operator && level != UserLevel::Cashier) {
    interaction_.problem(QStringLiteral("Alegeti rangul utilizatorului!"), kLevelField);
    return false;
  }
  if (!isNumber(entry.number) || entry.number.size() > kNumberDigits) {
    interaction_.problem(QStringLiteral("Numarul chitantei trebuie sa aiba intre 1 si %1 cifre!").arg(kNumberDigits),
                         kNumberField);
    return false;
  }
  return true;
}

bool UserManagement::checkNew(UserEntry& entry) const {
  cleanTexts(entry);
  if (entry.name.isEmpty()) {
    interaction_.problem(QStringLiteral("Lipseste numele!"), kNameField);
    return false;
  }
  // s.mpg rather than the work table: the logged-in user is not in the table
  // but must not be given a second record either.
  try {
    for (const UserRecord& record : users_.read()) {
      if (record.name == entry.name) {
        interaction_.problem(QStringLiteral("Acest nume mai exista!"), kNameField);
        return false;
      }
    }
  } catch (const UsersFileError& e) {
    reportFailure(e);
    return false;
  }
  return checkTexts(entry);
}

bool UserManagement::checkChanged(UserEntry& entry) const {
  const QString name = entry.name;  // read-only in the editor
  cleanTexts(entry);
  entry.name = name;
  return checkTexts(entry);
}

void UserManagement::writeReceiptSettings(const UserEntry& entry) {
  settings_.WriteSetting(entry.name, kSeriesKey, entry.series);
  settings_.WriteSetting(entry.name, kNumberKey, entry.number);
}

bool UserManagement::add(const UserEntry& entry) {
  try {
    const UserRecord record{entry.name, QString(), levelFromText(entry.levelText), entry.legitimation};
    users_.append(record);
    writeReceiptSettings(entry);
    insertRow(record, entry.series, entry.number);
    return true;
  } catch (const std::exception& e) {
    reportFailure(e);
    return false;
  }
}

int UserManagement::recordIndex(const QList<UserRecord>& records, const QString& name) const {
  // Record 0, the first administrator, is never changed from here.
  for (int i = 1; i < records.size(); ++i)
    if (records[i].name == name) return i;
  return -1;
}

std::optional<UserEntry> UserManagement::entryToModify(const QString& selectedName) const {
  if (rowCount() == 0) {
    interaction_.problem(QStringLiteral("Nu aveti ce modifica!"), kGridField);
    return std::nullopt;
  }
  if (selectedName == QLatin1String(UsersFile::kFirstAdminName)) {
    interaction_.problem(QStringLiteral("Acest utilizator nu poate fi modificat!"), kGridField);
    return std::nullopt;
  }
  try {
    const auto row = sql::query(database_, QStringLiteral("SELECT * FROM %1\nWHERE NUME=%2")
                                               .arg(sql::table(tablePath_), sql::quote(selectedName)));
    if (row->isEmpty()) return std::nullopt;
    row->first();
    UserEntry entry;
    entry.name = QString::fromStdString(row->asText("NUME"));
    entry.levelText = QString::fromStdString(row->asText("GRAD"));
    entry.legitimation = QString::fromStdString(row->asText("LEGIT"));
    entry.series = QString::fromStdString(row->asText("SERIA"));
    entry.number = QString::fromStdString(row->asText("NR"));
    return entry;
  } catch (const std::exception& e) {
    reportFailure(e);
    return std::nullopt;
  }
}

bool UserManagement::modify(const UserEntry& entry, bool clearPassword) {
  try {
    const QList<UserRecord> records = users_.read();
    const int index = recordIndex(records, entry.name);
    if (index < 0)
      throw UsersFileError(QStringLiteral("Utilizatorul %1 nu mai exista in fisierul utilizatorilor.").arg(entry.name));
    UserRecord record = records[index];
    record.level = levelFromText(entry.levelText);
    record.legitimation = entry.legitimation;
    if (clearPassword) record.password.clear();
    users_.replace(index, record);
    sql::execute(database_, QStringLiteral("UPDATE %1\nSET GRAD=%2,\nLEGIT=%3,\nSERIA=%4,\nNR=%5,\nPAROLA=%6\n"
                                           "WHERE NUME=%7")
                                .arg(sql::table(tablePath_), sql::quote(entry.levelText), sql::quote(entry.legitimation),
                                     sql::quote(entry.series), sql::quote(entry.number), sql::quote(record.password),
                                     sql::quote(entry.name)));
    writeReceiptSettings(entry);
    return true;
  } catch (const std::exception& e) {
    reportFailure(e);
    return false;
  }
}

bool UserManagement::remove(const QString& selectedName) {
  if (rowCount() == 0) {
    interaction_.problem(QStringLiteral("Nu prea mai aveti ce sterge..."), kGridField);
    return false;
  }
  // Record 0 is the first administrator: another administrator sees him listed
  // but may not remove him (the removal itself searches from record 1 on).
  if (selectedName == QLatin1String(UsersFile::kFirstAdminName)) {
    interaction_.problem(QStringLiteral("Acest utilizator nu poate fi sters!"), kGridField);
    return false;
  }
  if (interaction_.message(QStringLiteral("Stergere utilizator"),
                           QStringLiteral("Chiar il stergem pe %1?").arg(selectedName), Button::Da | Button::Nu,
                           MessageKind::Warning) != Answer::Da)
    return false;
  try {
    users_.removeUser(selectedName);
    sql::execute(database_, QStringLiteral("DELETE FROM %1\nWHERE NUME=%2")
                                .arg(sql::table(tablePath_), sql::quote(selectedName)));
    return true;
  } catch (const std::exception& e) {
    reportFailure(e);
    return false;
  }
}

}  // namespace dajdor
