#include "store/schema.h"

#include <QStringList>

namespace dajdor::schema {
namespace {

Field chr(const QString& name, int size) { return {name, FieldType::Char, size, 0}; }
Field dec(const QString& name, int digits, int decimals = 0) { return {name, FieldType::Decimal, digits, decimals}; }
Field date(const QString& name) { return {name, FieldType::Date, 0, 0}; }
Field id(const QString& name) { return dec(name, 10); }
Field amount(const QString& name) { return dec(name, 6); }

// name<from>..name<to> (or prefix<n>suffix), all of one kind.
QList<Field> series(const QString& prefix, int from, int to, const Field& kind, const QString& suffix = {}) {
  QList<Field> fields;
  for (int n = from; n <= to; ++n) {
    Field f = kind;
    f.name = prefix + QString::number(n) + suffix;
    fields.append(f);
  }
  return fields;
}

Table ini() { return {"Ini.dbf", {chr("FORMA", 12), chr("NUME", 32), chr("VALOARE", 40)}}; }

Table codcl() {
  return {"CODCL.dbf", {id("IDCOD"), chr("GRUPA", 60), chr("CODCLF", 24), chr("CODCLJ", 24), chr("TIP", 1)}};
}

Table defZone() { return {"DefZone.dbf", {id("ID"), chr("LOCALIT", 32), chr("ZONA", 1), chr("RANG", 3)}}; }

Table gospodar() {
  return {"Gospodar.dbf",
          {id("IDGOS"), chr("SATUL", 32), chr("ROL", 9), chr("NUMEP", 40), chr("CNP", 13), chr("ADRESA", 80),
           chr("TIP", 8), chr("SCCLAD", 2), chr("SCCC", 2), chr("SCTI", 2), chr("SCAUTO", 2), amount("SCTE"),
           chr("OBS", 240), chr("NOTAX", 2)}};
}

Table pag1() {
  Table t{"Pag1.dbf", {id("IDGOS")}};
  for (int n = 1; n <= 11; ++n) {
    for (const char zone : {'A', 'B', 'C', 'D', 'E'}) t.fields.append(dec(QStringLiteral("L%1%2").arg(n).arg(zone), 8, 4));
  }
  return t;
}

Table pag2() {
  Table t{"Pag2.dbf", {id("IDGOS")}};
  for (int n = 1; n <= 8; ++n) {
    const QString c = QStringLiteral("C%1").arg(n);
    t.fields << dec(c + "S", 8, 2) << amount(c + "A") << amount(c + "C") << chr(c + "Z", 1) << chr(c + "R", 3)
             << amount(QStringLiteral("NR%1").arg(n));
  }
  for (int n = 1; n <= 12; ++n) {
    t.fields << dec(QStringLiteral("V%1").arg(n), 8) << chr(QStringLiteral("AM%1").arg(n), 2)
             << date(QStringLiteral("DINV%1").arg(n));
  }
  t.fields << dec("CAS", 8, 2) << amount("CAA") << amount("CAC") << chr("CAZ", 1) << chr("CAR", 3)
           << dec("CAS2", 8, 2) << amount("CAA2") << amount("CAC2") << chr("CAZ2", 1) << chr("CAR2", 3);
  for (int n = 1; n <= 2; ++n) {
    t.fields << dec(QStringLiteral("VA%1").arg(n), 8) << chr(QStringLiteral("AMA%1").arg(n), 2)
             << date(QStringLiteral("DINVA%1").arg(n));
  }
  return t;
}

Table pag4() {
  Table t{"Pag4.dbf", {id("IDGOS")}};
  for (const char zone : {'A', 'B', 'C', 'D', 'E'}) t.fields.append(dec(QStringLiteral("CC%1").arg(zone), 8, 4));
  for (int n = 1; n <= 8; ++n) {
    for (const char zone : {'A', 'B', 'C', 'D', 'E'}) t.fields.append(dec(QStringLiteral("AL%1%2").arg(n).arg(zone), 8, 4));
  }
  return t;
}

Table pag5() {
  Table t{"Pag5.dbf", {id("IDGOS")}};
  const Field count = amount({});
  t.fields << series("AUTO", 1, 16, count) << amount("ALTE") << amount("ATB1") << amount("ATB2")
           << amount("ATBNR1") << amount("ATBNR2") << series("TRAC", 1, 4, count) << series("TBUC", 1, 4, count)
           << series("REM", 1, 4, count) << series("G", 1, 15, count, "A") << series("G", 1, 15, count, "B")
           << series("GC", 1, 24, count, "A") << series("GC", 1, 24, count, "B") << series("APA", 1, 13, count);
  return t;
}

Table autoDet() {
  return {"AutoDet.dbf",
          {id("IDGOS"), id("IDDETA"), chr("NrDos", 18), chr("TipAuto", 18), chr("Marca", 18), amount("Capacit"),
           chr("Serie", 24), chr("SerieM", 24), chr("Obs", 100)}};
}

Table page(const QString& file, const QList<Field>& fields) { return {file, QList<Field>{id("IDGOS")} + fields}; }

Table datorii() {
  return {"Datorii.dbf",
          {id("IDDAT"), id("IDGOS"), date("DINDATA"), chr("SATUL", 32), chr("ROL", 9), chr("GRUPA", 60),
           chr("DENUM", 50), chr("DOCJUS", 50), id("NR"), amount("SUMA"), amount("REST"), amount("REDUC"),
           chr("UM", 8), dec("CANT", 15, 4), amount("REDUCP"), amount("SCUTIT"), chr("TIP", 1), amount("SUMA2"),
           amount("RESTINI")}};
}

Table soldCalc() {
  return {"SoldCalc.dbf",
          {id("IDRES"), id("IDGOS"), chr("SATUL", 32), chr("ROL", 9), chr("GRUPA", 60), amount("SUMA"),
           amount("REST"), amount("REDUC"), amount("SCUTIRE"), amount("DATOR"), amount("DEPOZ"), amount("MAJOR"),
           amount("DATORI"), amount("DEPOZI"), amount("MAJORI"), chr("TIP", 1)}};
}

Table debit() {
  Table t{"Debit.dbf",
          {id("IDDEB"), id("IDGOS"), chr("GRUPA", 60), chr("DOCJUS", 50), id("NR"), chr("CATEG", 9),
           chr("DENUM", 50), date("DINDATA"), date("PENDATA"), chr("FISIER", 8)}};
  for (int n = 1; n <= 8; ++n) t.fields << chr(QStringLiteral("CAMP%1").arg(n), 6) << chr(QStringLiteral("VAL%1").arg(n), 10);
  t.fields << amount("SUMAINI") << amount("SUMAC");
  return t;
}

Table chitante() {
  return {"Chitante.dbf",
          {id("IDCHIT"), id("IDGOS"), id("IDANUL"), chr("SERIA", 10), id("NR"), date("DATAI"), chr("SATUL", 32),
           chr("ROL", 9), chr("GRUPA", 60), chr("DENUM", 50), chr("CODCLAS", 24), chr("NUMEP", 40), chr("CNP", 13),
           chr("ADRESA", 80), chr("TIPF", 1), chr("PLATNUME", 40), chr("INCANUME", 32), chr("LEGITIMA", 32),
           amount("RESTANTA"), amount("MAJOREST"), amount("DEPOZIT"), amount("CURENT"), amount("MAJOR"),
           amount("REDUCERE"), amount("TOTAL"), chr("TIP", 1)}};
}

Table chitAnul() {
  Table t = chitante();
  t.file = "ChitAnul.dbf";
  t.fields.removeIf([](const Field& f) { return f.name == QLatin1String("IDANUL"); });
  return t;
}

Table undelDat() {
  return {"UndelDat.dbf",
          {id("IDANUL"), id("IDGOS"), id("IDDAT"), amount("SUMA"), amount("REST"), amount("REDUC"), amount("SUMA2"),
           amount("RESTINI")}};
}

Table undelSold() {
  return {"UndelSold.dbf",
          {id("IDANUL"), id("IDGOS"), id("IDRES"), amount("SUMA"), amount("REST"), amount("REDUC"), amount("SCUTIRE"),
           amount("DATOR"), amount("DEPOZ"), amount("MAJOR"), amount("DATORI"), amount("DEPOZI"), amount("MAJORI")}};
}

Table undelDebit() {
  return {"UndelDebit.dbf", {id("IDANUL"), id("IDGOS"), id("IDDEB"), amount("SUMAINI"), amount("SUMAC")}};
}

Table regCasa() {
  return {"RegCasa.dbf",
          {id("IDRC"), date("DATAI"), chr("DOCJUS", 50), chr("INCANUME", 32), amount("PLATIT"), amount("INCASAT")}};
}

Table confirm() {
  return {"Confirm.dbf",
          {id("IDCONF"), id("IDGOS"), id("NRCONF"), date("DATACONF"), id("BORDNR"), date("BORDATA"), chr("ROL", 9),
           chr("CODCL", 24), chr("NUMEDEST", 40), chr("ADRDEST", 40), chr("LOCDEST", 32), id("ADRNR"),
           date("ADRDATA"), amount("SUMA"), chr("NATCL", 60), chr("NUMEP", 40), chr("ADRESA", 80), chr("SATUL", 32)}};
}

Table somatii() {
  return {"Somatii.dbf",
          {id("IDSOM"), id("IDGOS"), id("NR"), amount("DINDATA"), dec("SUMA", 10), amount("DATACONF"),
           chr("TIPCONF", 12), chr("ANULAT", 2), chr("OBS", 32)}};
}

Table somDet() {
  return {"SomDet.dbf",
          {id("IDSOM"), id("IDGOS"), chr("GRUPA", 60), amount("TERMEN"), dec("RAMASITA", 10), dec("CURENT", 10),
           dec("ACCESORII", 10), chr("DOCJUS", 50)}};
}

Table log() {
  Table t{"Log.dbf", {date("DATAA"), chr("ORA", 12), chr("UTILIZATOR", 20), chr("ROL", 9), chr("ACTIUNE", 120)}};
  t.createdAtStartup = false;
  return t;
}

QList<Table> buildCatalogue() {
  return {ini(),
          codcl(),
          defZone(),
          gospodar(),
          pag1(),
          pag2(),
          pag4(),
          pag5(),
          autoDet(),
          page("Pag6.dbf", series("VN", 1, 11, amount({}))),
          page("Pag7.dbf", series("LIN", 1, 6, amount({}))),
          page("Pag8.dbf", series("LIN", 1, 11, amount({})) + series("PEN", 1, 4, amount({})) +
                               series("SOLD", 1, 4, amount({}))),
          datorii(),
          soldCalc(),
          debit(),
          chitante(),
          undelDat(),
          undelSold(),
          undelDebit(),
          chitAnul(),
          regCasa(),
          confirm(),
          somatii(),
          somDet(),
          log()};
}

}  // namespace

QString Field::definition() const {
  switch (type) {
    case FieldType::Char:
      return QStringLiteral("%1 CHAR(%2)").arg(name).arg(size);
    case FieldType::Decimal:
      return QStringLiteral("%1 DECIMAL(%2,%3)").arg(name).arg(size).arg(decimals);
    case FieldType::Date:
      return name + QStringLiteral(" DATE");
  }
  return name;
}

const Field* Table::field(const QString& name) const {
  for (const Field& f : fields) {
    if (f.name.compare(name, Qt::CaseInsensitive) == 0) return &f;
  }
  return nullptr;
}

QString Table::createList() const {
  QStringList definitions;
  for (const Field& f : fields) definitions.append(f.definition());
  return QLatin1Char('(') + definitions.join(QStringLiteral(", ")) + QLatin1Char(')');
}

const QList<Table>& tables() {
  static const QList<Table> catalogue = buildCatalogue();
  return catalogue;
}

const Table* findTable(const QString& file) {
  for (const Table& t : tables()) {
    if (t.file.compare(file, Qt::CaseInsensitive) == 0) return &t;
  }
  return nullptr;
}

QList<Field> fieldsNamed(const QString& file, const QStringList& names) {
  QList<Field> fields;
  const Table* table = findTable(file);
  if (!table) return fields;
  for (const QString& name : names) {
    if (const Field* f = table->field(name)) fields.append(*f);
  }
  return fields;
}

}  // namespace dajdor::schema
