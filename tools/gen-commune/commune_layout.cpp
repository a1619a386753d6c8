#include "commune_layout.h"

#include "store/engine/sql_text.h"
#include "store/schema.h"

#include <stdexcept>

namespace gencommune {
namespace {

constexpr const char* kFilled[] = {"CODCL.dbf", "DefZone.dbf", "Gospodar.dbf", "Pag1.dbf",    "Pag2.dbf",
                                   "Pag4.dbf",  "Pag5.dbf",    "AutoDet.dbf",  "Pag6.dbf",    "Pag7.dbf",
                                   "Pag8.dbf",  "Datorii.dbf", "SoldCalc.dbf", "Debit.dbf",   "Chitante.dbf"};

TableLayout fromSchema(const dajdor::schema::Table& table) {
  using dajdor::schema::FieldType;
  TableLayout layout;
  layout.file = table.file.toStdString();
  for (const auto& f : table.fields) {
    const char type = f.type == FieldType::Char ? 'C' : f.type == FieldType::Date ? 'D' : 'N';
    layout.fields.push_back({f.name.toStdString(), type, f.size, f.decimals});
  }
  layout.createStatement = "CREATE TABLE " + engine::sql::table(layout.file) + " " + table.createList().toStdString();
  return layout;
}

}  // namespace

const std::vector<TableLayout>& communeTables() {
  static const std::vector<TableLayout> tables = [] {
    std::vector<TableLayout> out;
    for (const auto& table : dajdor::schema::tables())
      for (const char* file : kFilled)
        if (table.file.compare(file, Qt::CaseInsensitive) == 0) out.push_back(fromSchema(table));
    return out;
  }();
  return tables;
}

const TableLayout& communeTable(const std::string& file) {
  for (const auto& t : communeTables())
    if (t.file == file) return t;
  throw std::logic_error("unknown table " + file);
}

}  // namespace gencommune
