#include "collect/collect_fixture.h"

#include "store/schema.h"
#include "store/sql_helpers.h"

#include <QDir>
#include <QStringList>

namespace dajdor::testing {

void CollectTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Data"));
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  for (const QString file : {"Gospodar.dbf", "SoldCalc.dbf", "Datorii.dbf", "Debit.dbf", "Chitante.dbf"}) {
    const schema::Table* table = schema::findTable(file);
    ASSERT_NE(table, nullptr) << file.toStdString();
    sql::execute(*db_, "CREATE TABLE " + sql::table(dataDir(), file) + " " + table->createList());
  }
  rates_.setOption("BONIF50", true);
  rates_.setOption("REDUCERE_JURIDICE", false);
  rates_.setOption("FARAMAJORARI", false);
}

void CollectTest::insert(const QString& file, const QList<QPair<QString, QString>>& values) {
  QStringList fields, texts;
  for (const auto& [field, text] : values) {
    fields.append(field);
    texts.append(text);
  }
  sql::execute(*db_, "INSERT INTO " + sql::table(dataDir(), file) + " (" + fields.join(", ") + ") VALUES (" +
                         texts.join(", ") + ")");
}

void CollectTest::add(const StoredTaxpayer& t) {
  insert("Gospodar.dbf", {{"IDGOS", sql::number(t.idgos)},
                          {"SATUL", sql::quote(t.village)},
                          {"ROL", sql::quote(t.rol)},
                          {"NUMEP", sql::quote(t.name)},
                          {"CNP", sql::quote(t.cnp)},
                          {"ADRESA", sql::quote(t.address)},
                          {"TIP", sql::quote(t.tip)},
                          {"SCCLAD", sql::quote("NU")},
                          {"SCCC", sql::quote("NU")},
                          {"SCTI", sql::quote("NU")},
                          {"SCAUTO", sql::quote("DA")},
                          {"SCTE", sql::number(0)},
                          {"OBS", sql::quote("")},
                          {"NOTAX", sql::quote(t.notax)}});
}

void CollectTest::add(const StoredBalance& b) {
  insert("SoldCalc.dbf", {{"IDRES", sql::number(nextId_++)},
                          {"IDGOS", sql::number(b.idgos)},
                          {"GRUPA", sql::quote(b.group)},
                          {"SUMA", sql::number(b.suma)},
                          {"REST", sql::number(b.rest)},
                          {"REDUC", sql::number(b.reduc)},
                          {"SCUTIRE", sql::number(b.scutire)},
                          {"DATOR", sql::number(b.dator)},
                          {"DEPOZ", sql::number(b.depoz)},
                          {"MAJOR", sql::number(b.major)},
                          {"TIP", sql::quote("A")}});
}

void CollectTest::add(const StoredDebt& d) {
  insert("Datorii.dbf", {{"IDDAT", sql::number(nextId_++)},
                         {"IDGOS", sql::number(d.idgos)},
                         {"DINDATA", sql::date(d.from)},
                         {"GRUPA", sql::quote(d.group)},
                         {"DENUM", sql::quote(d.group)},
                         {"DOCJUS", sql::quote("Decizie")},
                         {"NR", sql::number(d.nr)},
                         {"SUMA", sql::number(d.suma)},
                         {"REST", sql::number(d.rest)},
                         {"REDUC", sql::number(d.reduc)},
                         {"TIP", sql::quote(d.tip)},
                         {"SUMA2", sql::number(d.suma)},
                         {"RESTINI", sql::number(d.rest)}});
}

void CollectTest::add(const StoredDebit& d) {
  insert("Debit.dbf", {{"IDDEB", sql::number(nextId_++)},
                       {"IDGOS", sql::number(d.idgos)},
                       {"GRUPA", sql::quote(d.group)},
                       {"DOCJUS", sql::quote("Contract")},
                       {"NR", sql::number(d.nr)},
                       {"CATEG", sql::quote(d.category)},
                       {"DENUM", sql::quote("Autoturism")},
                       {"DINDATA", sql::date(d.penaltiesFrom)},
                       {"PENDATA", sql::date(d.penaltiesFrom)},
                       {"SUMAINI", sql::number(d.initial)},
                       {"SUMAC", sql::number(d.unpaid)}});
}

void CollectTest::addReductionGiven(std::int64_t idgos, const QString& group, const QDate& day) {
  insert("Chitante.dbf", {{"IDCHIT", sql::number(nextId_++)},
                          {"IDGOS", sql::number(idgos)},
                          {"GRUPA", sql::quote(group)},
                          {"DATAI", sql::date(day)},
                          {"REDUCERE", sql::number(10)},
                          {"TOTAL", sql::number(90)}});
}

}  // namespace dajdor::testing
