#include "collect/debt_details.h"

#include "store/day_number.h"
#include "store/schema.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"

#include <QDir>
#include <QFile>

namespace dajdor::collect {
namespace {

const schema::Table& detailsLayout() {
  using schema::FieldType;
  static const schema::Table layout{kDebtDetailsFile,
                                    {{"DINDATA", FieldType::Date, 0, 0},
                                     {"GRUPA", FieldType::Char, 60, 0},
                                     {"DENUM", FieldType::Char, 50, 0},
                                     {"DOCJUS", FieldType::Char, 50, 0},
                                     {"NR", FieldType::Decimal, 10, 0},
                                     {"SUMA2", FieldType::Decimal, 6, 0},
                                     {"RESTINI", FieldType::Decimal, 6, 0},
                                     {"CANT", FieldType::Decimal, 9, 4},
                                     {"UM", FieldType::Char, 8, 0}},
                                    false};
  return layout;
}

QString text(const engine::RowSource& r, const char* f) { return QString::fromStdString(r.asText(f)); }
QDate date(const engine::RowSource& r, const char* f) {
  const engine::Value v = r.field(f);
  return v.isNull() ? QDate() : dateOfDay(v.toDay());
}

QList<DebtDetail> readDetails(engine::Database& data, const QString& dataDir, std::int64_t idgos, int workYear) {
  QList<DebtDetail> found;
  const QString who = " WHERE IDGOS=" + sql::number(idgos);
  auto debts = sql::query(data, "SELECT DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA2, RESTINI, CANT, UM FROM " +
                                    sql::table(dataDir, "Datorii.dbf") + who + " AND (SUMA2<>0 OR RESTINI<>0)");
  for (debts->first(); !debts->eof(); debts->next()) {
    const double quantity = debts->asDouble("CANT");
    found.append({date(*debts, "DINDATA"), text(*debts, "GRUPA"), text(*debts, "DENUM"), text(*debts, "DOCJUS"),
                  debts->asInt("NR"), debts->asInt("SUMA2"), debts->asInt("RESTINI"), quantity == 0 ? 1 : quantity,
                  text(*debts, "UM")});
  }
  auto debits = sql::query(data, "SELECT DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMAINI FROM " +
                                     sql::table(dataDir, "Debit.dbf") + who);
  for (debits->first(); !debits->eof(); debits->next())
    found.append({date(*debits, "DINDATA"), text(*debits, "GRUPA"), text(*debits, "DENUM"), text(*debits, "DOCJUS"),
                  debits->asInt("NR"), debits->asInt("SUMAINI"), 0, 1, "-"});
  auto balances = sql::query(data, "SELECT GRUPA, DATORI, DEPOZI, SCUTIRE FROM " +
                                       sql::table(dataDir, "SoldCalc.dbf") + who);
  for (balances->first(); !balances->eof(); balances->next()) {
    const std::int64_t arrears = balances->asInt("DATORI") - balances->asInt("DEPOZI") - balances->asInt("SCUTIRE");
    if (arrears != 0)
      found.append({QDate(workYear, 1, 1), text(*balances, "GRUPA"), "*** Lista Ramasite", "", 0, 0, arrears, 1, "-"});
  }
  return found;
}

engine::Value day(const QDate& d) { return d.isValid() ? engine::Value::date(dayNumber(d)) : engine::Value(); }

}  // namespace

DebtDetails::DebtDetails(engine::Database& data, const QString& dataDir, const QString& programFolder,
                         std::int64_t IDGOS, int workYear)
    : path_(QDir(programFolder).filePath(kDebtDetailsFile)) {
  if (QFile::exists(path_) && !QFile::remove(path_))
    throw StoreError("Fisierul " + QDir::toNativeSeparators(path_) + " nu poate fi accesat!\r" +
                     "Restartati calculatorul si mai incercati odata!");
  const QList<DebtDetail> details = readDetails(data, dataDir, IDGOS, workYear);
  scratch_ = std::make_unique<engine::Database>(programFolder.toStdString(), engine::Database::Mode::Scratch);
  sql::execute(*scratch_, "CREATE TABLE " + sql::table(path_) + " " + detailsLayout().createList());
  {
    engine::Transaction fill(*scratch_);
    const auto cursor = scratch_->openTable(path_.toStdString());
    for (const DebtDetail& d : details) {
      cursor->append();
      cursor->setField("DINDATA", day(d.DINDATA));
      cursor->setField("GRUPA", engine::Value::text(d.GRUPA.toStdString()));
      cursor->setField("DENUM", engine::Value::text(d.DENUM.toStdString()));
      cursor->setField("DOCJUS", engine::Value::text(d.DOCJUS.toStdString()));
      cursor->setField("NR", engine::Value::integer(d.NR));
      cursor->setField("SUMA2", engine::Value::integer(d.SUMA2));
      cursor->setField("RESTINI", engine::Value::integer(d.RESTINI));
      cursor->setField("CANT", engine::Value::number(d.CANT));
      cursor->setField("UM", engine::Value::text(d.UM.toStdString()));
      cursor->post();
    }
    fill.commit();
  }
  const auto shown = sql::query(*scratch_, "SELECT DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA2, RESTINI, CANT, UM FROM " +
                                               sql::table(path_) + " ORDER BY GRUPA, DENUM, DINDATA");
  for (shown->first(); !shown->eof(); shown->next())
    rows_.append({date(*shown, "DINDATA"), text(*shown, "GRUPA"), text(*shown, "DENUM"), text(*shown, "DOCJUS"),
                  shown->asInt("NR"), shown->asInt("SUMA2"), shown->asInt("RESTINI"), shown->asDouble("CANT"),
                  text(*shown, "UM")});
}

DebtDetails::~DebtDetails() {
  try {
    if (scratch_ && scratch_->tableExists(path_.toStdString())) sql::execute(*scratch_, "DROP TABLE " + sql::table(path_));
  } catch (...) {
  }
  QFile::remove(path_);
}

}  // namespace dajdor::collect
