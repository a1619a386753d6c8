#include "data_dir_fixture.h"

#include "support/statement_rows.h"

#include "store/sql_helpers.h"

#include <QSettings>

namespace dajdor::testing {

void DataDirTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("machine"));
}

QList<IniRow> DataDirTest::fakeIniRows() {
  return {{"FORM4", "PrimariaLab", "Primaria Comunei Vale"}, {"FORM4", "EC11ZE", "0"}, {"FR12", "TAX1", "125"}};
}

StartupResult DataDirTest::start(const QDate& day) {
  StartupOptions options;
  options.appDir = appDir();
  options.today = day;
  options.iniRows = fakeIniRows();
  options.modelRoot = dir_.filePath("no-models");
  return runStartup(options, ui_);
}

QStringList DataDirTest::rows(engine::Database& db, const QString& select) { return statementRows(db, select); }

QStringList DataDirTest::layout(engine::Database& db, const QString& tablePath) {
  QStringList out;
  for (const engine::FieldDesc& f : db.fields(tablePath.toStdString())) {
    out.append(QString("%1 %2 %3.%4").arg(QString::fromStdString(f.name)).arg(QChar(f.type)).arg(f.length).arg(f.decimals));
  }
  return out;
}

}  // namespace dajdor::testing
