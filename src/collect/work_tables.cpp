#include "collect/work_tables.h"

#include "store/day_number.h"
#include "store/files.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"

#include <QFile>

#include <functional>

namespace dajdor::collect {
namespace {

using engine::Value;
using schema::Field;
using schema::FieldType;

Field chr(const QString& name, int size) { return {name, FieldType::Char, size, 0}; }
Field id(const QString& name) { return {name, FieldType::Decimal, 10, 0}; }
Field amount(const QString& name) { return {name, FieldType::Decimal, 6, 0}; }
Field day(const QString& name) { return {name, FieldType::Date, 0, 0}; }

Value num(std::int64_t v) { return Value::integer(v); }
Value txt(const QString& s) { return Value::text(s.toStdString()); }
Value dat(const QDate& d) { return d.isValid() ? Value::date(dayNumber(d)) : Value(); }

// A work table's field and where its value comes from.
template <class Line>
struct Column {
  Field field;
  std::function<Value(const Line&)> value;
};

const QList<Column<TaxLine>>& taxColumns() {
  static const QList<Column<TaxLine>> columns = {
      {id("IDRES"), [](const TaxLine& l) { return num(l.IDRES); }},
      {chr("GRUPA", 60), [](const TaxLine& l) { return txt(l.GRUPA); }},
      {amount("SUMA"), [](const TaxLine& l) { return num(l.SUMA); }},
      {amount("REST"), [](const TaxLine& l) { return num(l.REST); }},
      {amount("REDUC"), [](const TaxLine& l) { return num(l.REDUC); }},
      {amount("SCUTIRE"), [](const TaxLine& l) { return num(l.SCUTIRE); }},
      {amount("DATOR"), [](const TaxLine& l) { return num(l.DATOR); }},
      {amount("DEPOZ"), [](const TaxLine& l) { return num(l.DEPOZ); }},
      {amount("MAJOR"), [](const TaxLine& l) { return num(l.MAJOR); }},
      {chr("TIP", 1), [](const TaxLine& l) { return txt(l.TIP); }},
      {amount("CUR1"), [](const TaxLine& l) { return num(l.CUR1); }},
      {amount("RAM1"), [](const TaxLine& l) { return num(l.RAM1); }},
      {amount("MAJOR1"), [](const TaxLine& l) { return num(l.MAJOR1); }},
      {amount("RED1"), [](const TaxLine& l) { return num(l.RED1); }},
      {amount("SCUT1"), [](const TaxLine& l) { return num(l.SCUT1); }},
      {amount("DEPLATA"), [](const TaxLine& l) { return num(l.DEPLATA); }},
      {amount("ACHITAT"), [](const TaxLine& l) { return num(l.ACHITAT); }},
  };
  return columns;
}

const QList<Column<OtherTaxLine>>& otherTaxColumns() {
  static const QList<Column<OtherTaxLine>> columns = {
      {id("IDDAT"), [](const OtherTaxLine& l) { return num(l.IDDAT); }},
      {chr("GRUPA", 60), [](const OtherTaxLine& l) { return txt(l.GRUPA); }},
      {chr("DENUM", 50), [](const OtherTaxLine& l) { return txt(l.DENUM); }},
      {chr("DOCJUS", 50), [](const OtherTaxLine& l) { return txt(l.DOCJUS); }},
      {id("NR"), [](const OtherTaxLine& l) { return num(l.NR); }},
      {chr("TIP", 1), [](const OtherTaxLine& l) { return txt(l.TIP); }},
      {amount("SUMA"), [](const OtherTaxLine& l) { return num(l.SUMA); }},
      {day("DINDATA"), [](const OtherTaxLine& l) { return dat(l.DINDATA); }},
      {amount("SUMA2"), [](const OtherTaxLine& l) { return num(l.SUMA2); }},
      {amount("RESTINI"), [](const OtherTaxLine& l) { return num(l.RESTINI); }},
      {amount("REST"), [](const OtherTaxLine& l) { return num(l.REST); }},
      {amount("REDUC"), [](const OtherTaxLine& l) { return num(l.REDUC); }},
      {amount("CUR1"), [](const OtherTaxLine& l) { return num(l.CUR1); }},
      {amount("REST1"), [](const OtherTaxLine& l) { return num(l.REST1); }},
      {amount("DEPLATA"), [](const OtherTaxLine& l) { return num(l.DEPLATA); }},
      {amount("ACHITAT"), [](const OtherTaxLine& l) { return num(l.ACHITAT); }},
  };
  return columns;
}

const QList<Column<DebitLine>>& debitColumns() {
  static const QList<Column<DebitLine>> columns = {
      {id("IDDEB"), [](const DebitLine& l) { return num(l.IDDEB); }},
      {chr("GRUPA", 60), [](const DebitLine& l) { return txt(l.GRUPA); }},
      {chr("DOCJUS", 50), [](const DebitLine& l) { return txt(l.DOCJUS); }},
      {id("NR"), [](const DebitLine& l) { return num(l.NR); }},
      {chr("CATEG", 9), [](const DebitLine& l) { return txt(l.CATEG); }},
      {chr("DENUM", 50), [](const DebitLine& l) { return txt(l.DENUM); }},
      {day("DINDATA"), [](const DebitLine& l) { return dat(l.DINDATA); }},
      {day("PENDATA"), [](const DebitLine& l) { return dat(l.PENDATA); }},
      {amount("SUMAINI"), [](const DebitLine& l) { return num(l.SUMAINI); }},
      {amount("SUMAC"), [](const DebitLine& l) { return num(l.SUMAC); }},
      {amount("MAJOR"), [](const DebitLine& l) { return num(l.MAJOR); }},
      {amount("DEPLATA"), [](const DebitLine& l) { return num(l.DEPLATA); }},
      {amount("ACHITAT"), [](const DebitLine& l) { return num(l.ACHITAT); }},
  };
  return columns;
}

template <class Line>
schema::Table layoutOf(const QString& name, const QList<Column<Line>>& columns) {
  schema::Table table{name + ".dbf", {}, false};
  for (const Column<Line>& column : columns) table.fields.append(column.field);
  return table;
}

template <class Line>
void fill(engine::Database& db, const QString& path, const QList<Column<Line>>& columns, const QList<Line>& lines) {
  if (lines.isEmpty()) return;
  const auto cursor = db.openTable(path.toStdString());
  for (const Line& line : lines) {
    cursor->append();
    for (const Column<Line>& column : columns)
      cursor->setField(column.field.name.toStdString(), column.value(line));
    cursor->post();
  }
}

int indexOf(WorkTable table) { return static_cast<int>(table); }

}  // namespace

QString workTableName(WorkTable table) {
  switch (table) {
    case WorkTable::Taxes:
      return QStringLiteral("Impozite");
    case WorkTable::OtherTaxes:
      return QStringLiteral("Taxe");
    case WorkTable::Debits:
      return QStringLiteral("Debite");
  }
  return {};
}

const schema::Table& workTableLayout(WorkTable table) {
  static const QList<schema::Table> layouts = {layoutOf(workTableName(WorkTable::Taxes), taxColumns()),
                                              layoutOf(workTableName(WorkTable::OtherTaxes), otherTaxColumns()),
                                              layoutOf(workTableName(WorkTable::Debits), debitColumns())};
  return layouts[indexOf(table)];
}

WorkTables::WorkTables(const QString& folder) : folder_(folder) {
  for (WorkTable table : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits}) {
    const QString path = TempFileName(folder, workTableName(table), ".dbf");
    if (path.isEmpty())
      throw StoreError("Nu se poate crea tabela de lucru " + workTableName(table) + " in " + folder + ".");
    paths_.append(path);
  }
  scratch_ = std::make_unique<engine::Database>(folder.toStdString(), engine::Database::Mode::Scratch);
}

WorkTables::~WorkTables() {
  try {
    remove();
  } catch (...) {
  }
}

QString WorkTables::path(WorkTable table) const { return paths_[indexOf(table)]; }

void WorkTables::remove() {
  for (const QString& path : paths_) {
    if (scratch_ && scratch_->tableExists(path.toStdString()))
      sql::execute(*scratch_, "DROP TABLE " + sql::table(path));
    QFile::remove(path);
  }
}

void WorkTables::write(const Balance& balance) {
  remove();
  for (WorkTable table : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits})
    sql::execute(*scratch_, "CREATE TABLE " + sql::table(path(table)) + " " + workTableLayout(table).createList());
  fill(*scratch_, path(WorkTable::Taxes), taxColumns(), balance.taxes);
  fill(*scratch_, path(WorkTable::OtherTaxes), otherTaxColumns(), balance.others);
  fill(*scratch_, path(WorkTable::Debits), debitColumns(), balance.debits);
}

void WorkTables::writeField(WorkTable table, int row, const QString& field, const Value& value) {
  const auto cursor = scratch_->openTable(path(table).toStdString());
  cursor->moveTo(static_cast<std::size_t>(row));
  cursor->edit();
  cursor->setField(field.toStdString(), value);
  cursor->post();
}

}  // namespace dajdor::collect
