#include "cash/cash_fixture.h"

#include "store/models.h"
#include "store/schema.h"
#include "store/sql_helpers.h"

#include <QDir>

namespace dajdor::testing {

void CashTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Data"));
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  for (const QString file : {"Chitante.dbf", "RegCasa.dbf"}) {
    const schema::Table* table = schema::findTable(file);
    ASSERT_NE(table, nullptr) << file.toStdString();
    sql::execute(*db_, "CREATE TABLE " + sql::table(dataDir(), file) + " " + table->createList());
  }
  settings_ = std::make_unique<SettingsFile>(QDir(dataDir()).filePath(SettingsFile::kFileName));
  settings_->WriteSetting("SERVER", "IDRC", "100");
  ASSERT_TRUE(UpkeepModels(dataDir()).failed.isEmpty());
}

void CashTest::add(const DocumentLine& line) {
  const std::int64_t id = nextDocument_++;
  sql::execute(*db_, "INSERT INTO " + sql::table(dataDir(), "Chitante.dbf") +
                         " (IDCHIT, IDGOS, SERIA, NR, DATAI, GRUPA, INCANUME, TOTAL, CURENT, TIP) VALUES (" +
                         sql::number(id) + ", " + sql::number(id) + ", " + sql::quote("AB") + ", " + sql::number(id) +
                         ", " + sql::date(line.day) + ", " + sql::quote("Impozit pe cladiri") + ", " +
                         sql::quote(line.cashier) + ", " + sql::number(line.total) + ", " + sql::number(line.total) +
                         ", " + sql::quote(line.tip) + ")");
}

void CashTest::add(const HandMovement& m) {
  sql::execute(*db_, "INSERT INTO " + sql::table(dataDir(), "RegCasa.dbf") +
                         " (IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME) VALUES (" + sql::number(m.idrc) + ", " +
                         sql::date(m.day) + ", " + sql::quote(m.document) + ", " + sql::number(m.paid) + ", " +
                         sql::number(m.received) + ", " + sql::quote(m.cashier) + ")");
}

QStringList CashTest::storedMovements() {
  QStringList rows;
  const auto result = sql::query(*db_, "SELECT IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME FROM " +
                                           sql::table(dataDir(), "RegCasa.dbf") + " ORDER BY IDRC");
  for (std::size_t r = 0; r < result->rowCount(); ++r) {
    QStringList cells;
    for (std::size_t c = 0; c < result->columnCount(); ++c)
      cells.append(QString::fromStdString(result->value(r, c).toString()));
    rows.append(cells.join('|'));
  }
  return rows;
}

cash::CashRegister& CashTest::openRegister() {
  register_ = std::make_unique<cash::CashRegister>(*db_, dataDir());
  register_->load();
  return *register_;
}

QList<cash::CashRow> CashTest::reloadedRows() {
  cash::CashRegister fresh(*db_, dataDir());
  fresh.load();
  return fresh.rows();
}

}  // namespace dajdor::testing
