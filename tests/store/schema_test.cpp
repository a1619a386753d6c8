#include "store/schema.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

namespace dajdor::schema {
namespace {

QStringList names(const Table& table) {
  QStringList out;
  for (const Field& f : table.fields) out.append(f.name);
  return out;
}

TEST(Schema, TablesInCreationOrder) {
  QStringList files;
  for (const Table& t : tables()) files.append(t.file);
  EXPECT_EQ(files, QStringList({"Ini.dbf", "CODCL.dbf", "DefZone.dbf", "Gospodar.dbf", "Pag1.dbf", "Pag2.dbf",
                                "Pag4.dbf", "Pag5.dbf", "AutoDet.dbf", "Pag6.dbf", "Pag7.dbf", "Pag8.dbf",
                                "Datorii.dbf", "SoldCalc.dbf", "Debit.dbf", "Chitante.dbf", "UndelDat.dbf",
                                "UndelSold.dbf", "UndelDebit.dbf", "ChitAnul.dbf", "RegCasa.dbf", "Confirm.dbf",
                                "Somatii.dbf", "SomDet.dbf", "Log.dbf"}));
  EXPECT_FALSE(findTable("log.DBF")->createdAtStartup);
  EXPECT_TRUE(findTable("gospodar.dbf")->createdAtStartup);
}

// The field lists as the tables are documented, typed out independently.
TEST(Schema, FieldListsOfTheListedTables) {
  const struct {
    const char* file;
    const char* fields;
  } cases[] = {
      {"Ini.dbf", "(FORMA CHAR(12), NUME CHAR(32), VALOARE CHAR(40))"},
      {"CODCL.dbf", "(IDCOD DECIMAL(10,0), GRUPA CHAR(60), CODCLF CHAR(24), CODCLJ CHAR(24), TIP CHAR(1))"},
      {"DefZone.dbf", "(ID DECIMAL(10,0), LOCALIT CHAR(32), ZONA CHAR(1), RANG CHAR(3))"},
      {"Gospodar.dbf",
       "(IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), CNP CHAR(13), ADRESA CHAR(80), TIP CHAR(8), "
       "SCCLAD CHAR(2), SCCC CHAR(2), SCTI CHAR(2), SCAUTO CHAR(2), SCTE DECIMAL(6,0), OBS CHAR(240), NOTAX CHAR(2))"},
      {"AutoDet.dbf",
       "(IDGOS DECIMAL(10,0), IDDETA DECIMAL(10,0), NrDos CHAR(18), TipAuto CHAR(18), Marca CHAR(18), "
       "Capacit DECIMAL(6,0), Serie CHAR(24), SerieM CHAR(24), Obs CHAR(100))"},
      {"Pag7.dbf",
       "(IDGOS DECIMAL(10,0), LIN1 DECIMAL(6,0), LIN2 DECIMAL(6,0), LIN3 DECIMAL(6,0), LIN4 DECIMAL(6,0), "
       "LIN5 DECIMAL(6,0), LIN6 DECIMAL(6,0))"},
      {"Datorii.dbf",
       "(IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), DINDATA DATE, SATUL CHAR(32), ROL CHAR(9), GRUPA CHAR(60), "
       "DENUM CHAR(50), DOCJUS CHAR(50), NR DECIMAL(10,0), SUMA DECIMAL(6,0), REST DECIMAL(6,0), REDUC DECIMAL(6,0), "
       "UM CHAR(8), CANT DECIMAL(15,4), REDUCP DECIMAL(6,0), SCUTIT DECIMAL(6,0), TIP CHAR(1), SUMA2 DECIMAL(6,0), "
       "RESTINI DECIMAL(6,0))"},
      {"SoldCalc.dbf",
       "(IDRES DECIMAL(10,0), IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), GRUPA CHAR(60), SUMA DECIMAL(6,0), "
       "REST DECIMAL(6,0), REDUC DECIMAL(6,0), SCUTIRE DECIMAL(6,0), DATOR DECIMAL(6,0), DEPOZ DECIMAL(6,0), "
       "MAJOR DECIMAL(6,0), DATORI DECIMAL(6,0), DEPOZI DECIMAL(6,0), MAJORI DECIMAL(6,0), TIP CHAR(1))"},
      {"UndelDebit.dbf",
       "(IDANUL DECIMAL(10,0), IDGOS DECIMAL(10,0), IDDEB DECIMAL(10,0), SUMAINI DECIMAL(6,0), SUMAC DECIMAL(6,0))"},
      {"RegCasa.dbf",
       "(IDRC DECIMAL(10,0), DATAI DATE, DOCJUS CHAR(50), INCANUME CHAR(32), PLATIT DECIMAL(6,0), INCASAT DECIMAL(6,0))"},
      {"Somatii.dbf",
       "(IDSOM DECIMAL(10,0), IDGOS DECIMAL(10,0), NR DECIMAL(10,0), DINDATA DECIMAL(6,0), SUMA DECIMAL(10,0), "
       "DATACONF DECIMAL(6,0), TIPCONF CHAR(12), ANULAT CHAR(2), OBS CHAR(32))"},
      {"SomDet.dbf",
       "(IDSOM DECIMAL(10,0), IDGOS DECIMAL(10,0), GRUPA CHAR(60), TERMEN DECIMAL(6,0), RAMASITA DECIMAL(10,0), "
       "CURENT DECIMAL(10,0), ACCESORII DECIMAL(10,0), DOCJUS CHAR(50))"},
      {"Log.dbf", "(DATAA DATE, ORA CHAR(12), UTILIZATOR CHAR(20), ROL CHAR(9), ACTIUNE CHAR(120))"},
  };
  for (const auto& c : cases) {
    const Table* table = findTable(c.file);
    ASSERT_NE(table, nullptr) << c.file;
    EXPECT_EQ(table->createList(), QString::fromLatin1(c.fields)) << c.file;
  }
}

TEST(Schema, RepeatedFieldGroupsOfThePages) {
  const QStringList pag1 = names(*findTable("Pag1.dbf"));
  EXPECT_EQ(pag1.size(), 56);
  EXPECT_EQ(pag1.mid(0, 7), QStringList({"IDGOS", "L1A", "L1B", "L1C", "L1D", "L1E", "L2A"}));
  EXPECT_EQ(pag1.last(), "L11E");
  EXPECT_EQ(findTable("Pag1.dbf")->field("L7C")->definition(), "L7C DECIMAL(8,4)");

  const Table& pag2 = *findTable("Pag2.dbf");
  const QStringList p2 = names(pag2);
  EXPECT_EQ(p2.size(), 1 + 8 * 6 + 12 * 3 + 10 + 2 * 3);
  EXPECT_EQ(p2.mid(0, 8), QStringList({"IDGOS", "C1S", "C1A", "C1C", "C1Z", "C1R", "NR1", "C2S"}));
  EXPECT_EQ(p2.mid(p2.indexOf("NR8"), 5), QStringList({"NR8", "V1", "AM1", "DINV1", "V2"}));
  EXPECT_EQ(p2.mid(p2.indexOf("DINV12"), 12),
            QStringList({"DINV12", "CAS", "CAA", "CAC", "CAZ", "CAR", "CAS2", "CAA2", "CAC2", "CAZ2", "CAR2", "VA1"}));
  EXPECT_EQ(p2.mid(p2.size() - 6), QStringList({"VA1", "AMA1", "DINVA1", "VA2", "AMA2", "DINVA2"}));
  for (const char* definition : {"C3S DECIMAL(8,2)", "C3A DECIMAL(6,0)", "C3Z CHAR(1)", "C3R CHAR(3)", "NR3 DECIMAL(6,0)",
                                 "V9 DECIMAL(8,0)", "AM9 CHAR(2)", "DINV9 DATE", "CAS2 DECIMAL(8,2)", "DINVA2 DATE"}) {
    const QString name = QString::fromLatin1(definition).section(' ', 0, 0);
    EXPECT_EQ(pag2.field(name)->definition(), QString::fromLatin1(definition));
  }

  const QStringList pag4 = names(*findTable("Pag4.dbf"));
  EXPECT_EQ(pag4.size(), 1 + 5 + 40);
  EXPECT_EQ(pag4.mid(0, 8), QStringList({"IDGOS", "CCA", "CCB", "CCC", "CCD", "CCE", "AL1A", "AL1B"}));
  EXPECT_EQ(pag4.last(), "AL8E");

  const QStringList pag5 = names(*findTable("Pag5.dbf"));
  EXPECT_EQ(pag5.size(), 1 + 16 + 5 + 12 + 30 + 48 + 13);
  EXPECT_EQ(pag5.mid(16, 8), QStringList({"AUTO16", "ALTE", "ATB1", "ATB2", "ATBNR1", "ATBNR2", "TRAC1", "TRAC2"}));
  EXPECT_EQ(pag5.mid(pag5.indexOf("G15A"), 2), QStringList({"G15A", "G1B"}));
  EXPECT_EQ(pag5.mid(pag5.indexOf("GC24A"), 2), QStringList({"GC24A", "GC1B"}));
  EXPECT_EQ(pag5.last(), "APA13");

  const QStringList pag8 = names(*findTable("Pag8.dbf"));
  EXPECT_EQ(pag8.mid(10, 4), QStringList({"LIN10", "LIN11", "PEN1", "PEN2"}));
  EXPECT_EQ(pag8.last(), "SOLD4");
  EXPECT_EQ(names(*findTable("Pag6.dbf")).last(), "VN11");
}

TEST(Schema, CancelledReceiptsAreReceiptsWithoutTheirCancellation) {
  QStringList receipts = names(*findTable("Chitante.dbf"));
  EXPECT_EQ(receipts.mid(0, 6), QStringList({"IDCHIT", "IDGOS", "IDANUL", "SERIA", "NR", "DATAI"}));
  EXPECT_EQ(receipts.last(), "TIP");
  EXPECT_EQ(receipts.size(), 26);
  receipts.removeOne("IDANUL");
  EXPECT_EQ(names(*findTable("ChitAnul.dbf")), receipts);
  EXPECT_EQ(findTable("ChitAnul.dbf")->field("ADRESA")->definition(), "ADRESA CHAR(80)");
}

}  // namespace
}  // namespace dajdor::schema
