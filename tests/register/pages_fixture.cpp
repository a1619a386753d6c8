#include "register/pages_fixture.h"

#include "support/statement_rows.h"

#include "admin/settings_catalogue.h"
#include "store/create_tables.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"

#include <QDir>
#include <QSettings>

namespace dajdor::testing {

void PagesTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("machine"));
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Data"));
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  SettingsFile settings(dataDir() + "/" + SettingsFile::kFileName);
  ScriptedInteraction creation;
  CreateTables(*db_, dataDir(), admin::initialIniRows(), settings, creation);
  ASSERT_TRUE(creation.messages.isEmpty()) << creation.messages.first().text.toStdString();
  rates_.setText("ComboBox2", "C");
  rates_.setText("ComboBox3", "II");
}

qint64 PagesTest::addTaxpayer(qint64 idgos, const QString& type) {
  sql::execute(*db_, "INSERT INTO " + sql::table(dataDir(), "Gospodar.dbf") + " (IDGOS, SATUL, ROL, NUMEP, TIP) VALUES (" +
                         sql::number(static_cast<std::int64_t>(idgos)) + ", " + sql::quote("VALENI") + ", " +
                         sql::quote(QString::number(idgos)) + ", " + sql::quote("POPESCU ION") + ", " +
                         sql::quote(type) + ")");
  reg::CreateEmptyPages(*db_, dataDir(), idgos, rates_);
  return idgos;
}

QStringList PagesTest::rows(const QString& select) { return statementRows(*db_, select); }

QString PagesTest::column(const QString& table, const QString& field, qint64 idgos) {
  const QStringList found = rows("SELECT " + field + " FROM " + sql::table(dataDir(), table) +
                                 " WHERE IDGOS=" + sql::number(static_cast<std::int64_t>(idgos)));
  return found.isEmpty() ? QStringLiteral("<no row>") : found.first();
}

int PagesTest::rowCount(const QString& table, qint64 idgos) {
  return static_cast<int>(sql::scalar(*db_, "SELECT COUNT(*) FROM " + sql::table(dataDir(), table) +
                                                " WHERE IDGOS=" + sql::number(static_cast<std::int64_t>(idgos))));
}

void PagesTest::setSetting(const QString& key, const QString& value) {
  SettingsFile(dataDir() + "/" + SettingsFile::kFileName).WriteSetting("Server", key, value);
}

}  // namespace dajdor::testing
