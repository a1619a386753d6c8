// The layout of every table of the data directory, as data: file name and the
// fields in order with the SQL type each is created with.
//
// CreateTables builds the tables from this catalogue, UpgradeTables adds the
// fields of older layouts from it, and tests compare the files against it.
#pragma once

#include <QList>
#include <QString>

namespace dajdor::schema {

enum class FieldType { Char, Decimal, Date };

struct Field {
  QString name;
  FieldType type = FieldType::Decimal;
  int size = 0;      // characters of a CHAR, digits of a DECIMAL
  int decimals = 0;  // of a DECIMAL

  // "NAME CHAR(32)", "NAME DECIMAL(10,0)", "NAME DATE".
  QString definition() const;
};

struct Table {
  QString file;  // "Gospodar.dbf"
  QList<Field> fields;
  // Created at every local start when missing. Log.dbf is created by the
  // action log on its first entry instead.
  bool createdAtStartup = true;

  const Field* field(const QString& name) const;  // case-insensitive
  // "(F1 TYPE, F2 TYPE, ...)" for CREATE TABLE.
  QString createList() const;
};

// Every table, in the order CreateTables creates them, Log.dbf last.
const QList<Table>& tables();
// The table of that file name (case-insensitive), or null.
const Table* findTable(const QString& file);
// The named fields of a table, in the order named (for ALTER TABLE ADD).
QList<Field> fieldsNamed(const QString& file, const QStringList& names);

}  // namespace dajdor::schema
