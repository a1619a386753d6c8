#include "register/taxpayer_fixture.h"

#include "support/statement_rows.h"

#include "admin/settings_catalogue.h"
#include "register/taxpayer_register.h"
#include "store/create_tables.h"
#include "store/sql_helpers.h"

#include <QDir>
#include <QSettings>

namespace dajdor::testing {

void TaxpayerTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("machine"));
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Data"));
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  settings_ = std::make_unique<SettingsFile>(dataFile(SettingsFile::kFileName));
  ScriptedInteraction creation;
  CreateTables(*db_, dataDir(), admin::initialIniRows(), *settings_, creation);
  ASSERT_TRUE(creation.messages.isEmpty()) << creation.messages.first().text.toStdString();
}

QStringList TaxpayerTest::rows(const QString& select, const QString& table) {
  return statementRows(*db_, select.arg(sql::table(dataDir(), table)));
}

reg::Taxpayer TaxpayerTest::person(const QString& village, const QString& role, const QString& name,
                                   const QString& code) {
  reg::Taxpayer t;
  t.village = village;
  t.role = role;
  t.name = name;
  t.code = code;
  return t;
}

std::int64_t TaxpayerTest::add(const QString& village, const QString& role, const QString& name,
                               const QString& code) {
  return reg::AddTaxpayer(*db_, dataDir(), *settings_, person(village, role, name, code), rates_);
}

void TaxpayerTest::exec(const QString& statement, const QString& table) {
  sql::execute(*db_, statement.arg(sql::table(dataDir(), table)));
}

}  // namespace dajdor::testing
