#include "admin/admin_fixture.h"

#include "support/statement_rows.h"

#include "admin/settings_catalogue.h"
#include "store/create_tables.h"
#include "store/sql_helpers.h"

#include <QDir>
#include <QSettings>

namespace dajdor::testing {

void AdminTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("machine"));
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Data"));
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  settings_ = std::make_unique<SettingsFile>(dataFile(SettingsFile::kFileName));
  machine_ = std::make_unique<MachineSettings>();
  ScriptedInteraction creation;
  CreateTables(*db_, dataDir(), admin::initialIniRows(), *settings_, creation);
  ASSERT_TRUE(creation.messages.isEmpty())
      << creation.messages.first().text.toStdString();
}

QStringList AdminTest::rows(const QString& select) { return statementRows(*db_, select); }

void AdminTest::exec(const QString& statement, const QString& table) {
  sql::execute(*db_, statement.arg(sql::table(dataDir(), table)));
}

QString AdminTest::iniValue(const QString& name) {
  const QStringList found =
      rows(QString("SELECT VALOARE FROM %1 WHERE NUME=%2")
               .arg(sql::table(dataDir(), "Ini.dbf"), sql::quote(name)));
  return found.isEmpty() ? QStringLiteral("<none>") : found.first();
}

}  // namespace dajdor::testing
