#include "collect/taxpayer_search.h"

#include "store/files.h"
#include "store/schema.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"

#include <QFile>

#include <algorithm>

namespace dajdor::collect {
namespace {

const schema::Table& snapshotLayout() {
  using schema::FieldType;
  static const schema::Table layout{"Gospo.dbf",
                                    {{"IDGOS", FieldType::Decimal, 10, 0},
                                     {"SATUL", FieldType::Char, 32, 0},
                                     {"ROL", FieldType::Char, 9, 0},
                                     {"NUMEP", FieldType::Char, 40, 0},
                                     {"CNP", FieldType::Char, 13, 0},
                                     {"ADRESA", FieldType::Char, 80, 0},
                                     {"TIP", FieldType::Char, 8, 0}},
                                    false};
  return layout;
}

bool chosen(const QString& value) {
  const QString v = value.trimmed();
  return !v.isEmpty() && v != kAnyVillage.trimmed() && v != kAnyType.trimmed();
}

}  // namespace

TaxpayerSnapshot::TaxpayerSnapshot(engine::Database& data, const QString& dataDir, const QString& programFolder) {
  const auto found = sql::query(data, "SELECT IDGOS, SATUL, ROL, NUMEP, CNP, ADRESA, TIP FROM " +
                                          sql::table(dataDir, "Gospodar.dbf"));
  rows_.reserve(int(found->rowCount()));
  for (std::size_t r = 0; r < found->rowCount(); ++r) {
    const auto text = [&](std::size_t c) { return QString::fromStdString(found->value(r, c).toString()); };
    rows_.append({found->value(r, 0).toInt(), text(1), text(2), text(3), text(4), text(5), text(6)});
  }
  path_ = TempFileName(programFolder, "Gospo", ".dbf");
  if (path_.isEmpty()) throw StoreError("Nu se poate crea tabela de lucru Gospo in " + programFolder + ".");
  scratch_ = std::make_unique<engine::Database>(programFolder.toStdString(), engine::Database::Mode::Scratch);
  sql::execute(*scratch_, "CREATE TABLE " + sql::table(path_) + " " + snapshotLayout().createList());
  engine::Transaction fill(*scratch_);
  const auto cursor = scratch_->openTable(path_.toStdString());
  for (const SearchRow& row : rows_) {
    cursor->append();
    cursor->setField("IDGOS", engine::Value::integer(row.IDGOS));
    cursor->setField("SATUL", engine::Value::text(row.SATUL.toStdString()));
    cursor->setField("ROL", engine::Value::text(row.ROL.toStdString()));
    cursor->setField("NUMEP", engine::Value::text(row.NUMEP.toStdString()));
    cursor->setField("CNP", engine::Value::text(row.CNP.toStdString()));
    cursor->setField("ADRESA", engine::Value::text(row.ADRESA.toStdString()));
    cursor->setField("TIP", engine::Value::text(row.TIP.toStdString()));
    cursor->post();
  }
  fill.commit();
}

TaxpayerSnapshot::~TaxpayerSnapshot() {
  try {
    if (scratch_ && scratch_->tableExists(path_.toStdString()))
      sql::execute(*scratch_, "DROP TABLE " + sql::table(path_));
  } catch (...) {
  }
  QFile::remove(path_);
}

QStringList TaxpayerSnapshot::villages() const {
  QStringList villages;
  for (const SearchRow& row : rows_)
    if (!row.SATUL.isEmpty()) villages.append(row.SATUL);
  villages.sort();
  villages.removeDuplicates();
  return villages;
}

QList<int> TaxpayerSnapshot::filter(const SearchCriteria& c) const {
  const bool byVillage = chosen(c.village), byType = chosen(c.personType);
  const QString village = c.village.trimmed().toUpper();
  const QString name = c.name.trimmed().toUpper();
  const QString cnp = c.cnp.trimmed(), rol = c.rol.trimmed(), address = c.address.trimmed();
  const QString type = c.personType.trimmed();
  QList<int> found;
  for (int i = 0; i < rows_.size(); ++i) {
    const SearchRow& r = rows_[i];
    if (byVillage && r.SATUL.toUpper() != village) continue;
    if (!name.isEmpty() && !r.NUMEP.toUpper().contains(name)) continue;
    if (!cnp.isEmpty() && !r.CNP.startsWith(cnp)) continue;
    if (!rol.isEmpty() && r.ROL.trimmed() != rol) continue;
    if (!address.isEmpty() && !r.ADRESA.startsWith(address)) continue;
    if (byType && r.TIP != type) continue;
    found.append(i);
  }
  std::stable_sort(found.begin(), found.end(), [&](int a, int b) { return rows_[a].NUMEP < rows_[b].NUMEP; });
  return found;
}

}  // namespace dajdor::collect
