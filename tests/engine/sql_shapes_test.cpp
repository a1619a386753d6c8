// The statements the program writes, in the shape it writes them: tables named
// by full path with '\' and any case, dates as "dd.MM.yyyy", role ranges through
// CAST, grouped lists numbered in group order, work tables filled by
// INSERT ... SELECT and corrected by UPDATE. Each result is checked row by row.
#include "sql_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "<D>" in a statement stands for the data directory followed by '\'.
std::string expand(const std::string& dir, std::string statement) {
  for (std::size_t at = statement.find("<D>"); at != std::string::npos; at = statement.find("<D>"))
    statement.replace(at, 3, dir + "\\");
  return statement;
}

void createCommune(engine::Database& db) {
  const std::string d = db.directory();
  const auto run = [&](const std::string& s) { db.execute(expand(d, s)); };
  run(R"(CREATE TABLE "<D>Gospodar.dbf" (IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), CNP CHAR(13), TIP CHAR(8), NOTAX CHAR(2)))");
  run(R"(INSERT INTO "<D>GOSPODAR.dbf" VALUES (1, "Deal", "10", "POP ION", "1700101000001", "FIZICA", "NU"), )"
      R"((2, "Deal", "9", "ANA MARIA", "2800101000002", "FIZICA", "NU"), (3, "Vale", "2A", "SC VALE SRL", "12345", "JURIDICA", "NU"), )"
      R"((4, "Vale", "1", "URSU DAN", "", "FIZICA", "DA"), (5, "", "", "FARA SAT", "", "FIZICA", "NU"))");
  run(R"(CREATE TABLE "<D>Datorii.dbf" (IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), DINDATA DATE, SATUL CHAR(32), ROL CHAR(9), )"
      R"(GRUPA CHAR(60), DENUM CHAR(60), DOCJUS CHAR(50), NR DECIMAL(10,0), SUMA DECIMAL(6,0), REST DECIMAL(6,0), REDUC DECIMAL(6,0), )"
      R"(CANT DECIMAL(10,4), TIP CHAR(1), SUMA2 DECIMAL(6,0), RESTINI DECIMAL(6,0)))");
  run(R"(INSERT INTO "<D>datorii.DBF" (IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, CANT, TIP, SUMA2, RESTINI) VALUES )"
      R"((10, 1, "01.01.2014", "Deal", "10", "Impozit pe cladiri", "Impozit pe cladiri", "", 0, 100, 20, 10, 1, "A", 100, 20), )"
      R"((11, 1, "01.01.2014", "Deal", "10", "Impozit pe teren intravilan", "Curti-constructii", "", 0, 50, 0, 5, 443, "A", 50, 0), )"
      R"((12, 2, "01.01.2014", "Deal", "9", "Impozit pe teren extravilan", "Teren arabil", NULL, 0, 30, 0, 3, 2.5, "A", 30, 0), )"
      R"((13, 3, "15.03.2014", "Vale", "2A", "Amenda", "Amenda", "PV 12 achitat in 48h", 7, 200, 0, 0, 1, "M", 200, 0), )"
      R"((14, 4, "02.02.2014", "Vale", "1", "Salubritate", "Salubritate", "", 7, 40, 15, 0, 1, "M", 40, 15), )"
      R"((15, 9, "01.01.2014", "Munte", "5", "Impozit pe teren extravilan", "Pasuni - fanete", "", 0, 12, 0, 0, 1.25, "A", 12, 0), )"
      R"((16, 5, "20.02.2014", "", "", "Salubritate", "Salubritate", "", NULL, 8, 0, 0, 1, "M", 8, 0))");
  run(R"(CREATE TABLE "<D>Chitante.dbf" (IDCHIT DECIMAL(10,0), IDGOS DECIMAL(10,0), SERIA CHAR(10), NR DECIMAL(10,0), DATAI DATE, )"
      R"(GRUPA CHAR(60), CODCLAS CHAR(24), TIPF CHAR(1), INCANUME CHAR(32), RESTANTA DECIMAL(6,0), CURENT DECIMAL(6,0), )"
      R"(REDUCERE DECIMAL(6,0), TOTAL DECIMAL(6,0), TIP CHAR(1)))");
  run(R"(INSERT INTO "<D>Chitante.dbf" VALUES )"
      R"((1, 1, "VRD", 1, "03.02.2014", "Impozit pe cladiri", "070201", "F", "POPA", 20, 90, 10, 100, "C"), )"
      R"((1, 1, "VRD", 1, "03.02.2014", "Impozit pe teren intravilan", "070202", "F", "POPA", 0, 45, 5, 40, "C"), )"
      R"((2, 3, " - ", 88, "03.02.2014", "Amenda", "350201", "J", "ION", 0, 200, 0, 200, "O"), )"
      R"((3, 4, " - ", 0, "04.02.2014", "Salubritate", "360250", "F", "POPA", 15, 0, 0, 15, "N"), )"
      R"((4, 2, "VRD", 2, "05.02.2014", "Impozit pe teren extravilan", "070203", "F", "POPA", 0, -30, 0, -30, "C"), )"
      R"((5, -1, "VRD", 3, NULL, "Salubritate", "360250", "F", "POPA", 0, 9, 0, 9, "C"))");
  run(R"(CREATE TABLE "<D>Pag2.dbf" (IDGOS DECIMAL(10,0), C1S DECIMAL(8,2), C2S DECIMAL(8,2), VA1 DECIMAL(8,2)))");
  run(R"(INSERT INTO "<D>Pag2.dbf" VALUES (1, 80.5, 20, 0), (2, 0, 0, 0), (7, 10, 0, 0))");
}

struct Case {
  const char* statement;
  const char* expected;
};

using ShapesTest = sqltest::SharedDatabaseSuite<Case, createCommune>;

TEST_P(ShapesTest, GivesTheRowsTheProgramReliesOn) {
  const std::string statement = expand(db_->directory(), GetParam().statement);
  EXPECT_EQ(sqltest::run(*db_, statement), GetParam().expected) << GetParam().statement;
}

const Case kRegister[] = {
    // Role numbers sort numerically; a role that is not a number has a NULL ROLN and comes first.
    {R"(SELECT IDGOS, ROL, CAST(ROL AS FLOAT) AS ROLN FROM "<D>Gospodar.dbf" ORDER BY SATUL, ROLN)",
     "IDGOS\tROL\tROLN\n5\t\t\n2\t9\t9\n1\t10\t10\n3\t2A\t\n4\t1\t1\n"},
    {R"(SELECT IDGOS FROM "<D>Gospodar.dbf" WHERE SATUL="Vale" ORDER BY SATUL DESC, CAST(ROL AS FLOAT) DESC)", "IDGOS\n4\n3\n"},
    // The role range as the listings write it: text lower bound, numeric pair or-ed with non-numbers.
    {R"(SELECT ROL FROM "<D>Gospodar.dbf" WHERE ROL>="1" AND ((CAST(ROL AS FLOAT)>=1) AND (CAST(ROL AS FLOAT)<=9) OR (CAST(ROL AS FLOAT) IS NULL)) ORDER BY ROL)",
     "ROL\n1\n2A\n9\n"},
    {R"(SELECT MAX(CAST(ROL AS FLOAT)) AS ROLMAX FROM "<D>Gospodar.dbf")", "ROLMAX\n10\n"},
    {R"(SELECT Count(*) AS TOT FROM "<D>Gospodar.dbf" WHERE ROL="10" AND IDGOS<>1)", "TOT\n0\n"},
    // Search by name part, code prefix; the combined list text sorts by its alias.
    {R"(SELECT IDGOS FROM "<D>Gospodar.dbf" WHERE UPPER(NUMEP) LIKE "%A%" AND CNP LIKE "2%")", "IDGOS\n2\n"},
    {R"(SELECT IDGOS, (NUMEP+" rol."+ROL) AS NUMER FROM "<D>Gospodar.dbf" WHERE SATUL<>"" ORDER BY SATUL, NUMER)",
     "IDGOS\tNUMER\n2\tANA MARIA rol.9\n1\tPOP ION rol.10\n3\tSC VALE SRL rol.2A\n4\tURSU DAN rol.1\n"},
};
INSTANTIATE_TEST_SUITE_P(Register, ShapesTest, ::testing::ValuesIn(kRegister));

const Case kGroups[] = {
    // Without ORDER BY, groups and distinct values come in ascending order (documents number them so).
    {R"(SELECT GRUPA, SUM(SUMA) AS X1, SUM(REST) AS X2 FROM "<D>Datorii.dbf" WHERE IDGOS<>9 GROUP BY GRUPA)",
     "GRUPA\tX1\tX2\nAmenda\t200\t0\nImpozit pe cladiri\t100\t20\nImpozit pe teren extravilan\t30\t0\n"
     "Impozit pe teren intravilan\t50\t0\nSalubritate\t48\t15\n"},
    {R"(SELECT DISTINCT SATUL FROM "<D>Datorii.dbf")", "SATUL\n\nDeal\nMunte\nVale\n"},
    {R"(SELECT TIP, NR, SUM(SUMA) AS TSUMA FROM "<D>Datorii.dbf" GROUP BY TIP, NR)",
     "TIP\tNR\tTSUMA\nA\t0\t192\nM\t\t8\nM\t7\t240\n"},
    // Unnamed aggregate columns are named by their text; sums of sums.
    {R"(SELECT CODCLAS, SUM(CURENT)+SUM(RESTANTA), SUM(TOTAL) FROM "<D>Chitante.dbf" WHERE TIP IN ("C","O") GROUP BY CODCLAS ORDER BY CODCLAS)",
     "CODCLAS\tSUM(CURENT)+SUM(RESTANTA)\tSUM(TOTAL)\n070201\t110\t100\n070202\t45\t40\n070203\t-30\t-30\n350201\t200\t200\n360250\t9\t9\n"},
    // A document without a date is left out by HAVING on its latest date.
    {R"(SELECT IDCHIT, MAX(DATAI) AS DATAI, TIP, SUM(TOTAL) AS SUMA FROM "<D>Chitante.dbf" GROUP BY IDCHIT, TIP HAVING MAX(DATAI)>="26.09.1902" ORDER BY DATAI, IDCHIT)",
     "IDCHIT\tDATAI\tTIP\tSUMA\n1\t03.02.2014\tC\t140\n2\t03.02.2014\tO\t200\n3\t04.02.2014\tN\t15\n4\t05.02.2014\tC\t-30\n"},
    {R"(SELECT SERIA, NR, SUM(TOTAL) AS TOT FROM "<D>Chitante.dbf" GROUP BY SERIA, NR HAVING SUM(TOTAL)>0 AND MAX(NR)>=0 ORDER BY SERIA, NR)",
     "SERIA\tNR\tTOT\n -\t0\t15\n -\t88\t200\nVRD\t1\t140\nVRD\t3\t9\n"},
    // Grouped debts of kind "M" in a period, the bordereau number written as IS NULL or =n.
    {R"(SELECT IDGOS, GRUPA, DINDATA, SUM(RESTINI+SUMA2) AS TSUMA FROM "<D>Datorii.dbf" WHERE TIP="M" AND NR IS NULL AND (RESTINI>0 OR SUMA2>0) )"
     R"(AND DINDATA>="01.02.2014" AND DINDATA<="28.02.2014" GROUP BY IDGOS, GRUPA, DINDATA ORDER BY IDGOS)",
     "IDGOS\tGRUPA\tDINDATA\tTSUMA\n5\tSalubritate\t20.02.2014\t8\n"},
    {R"(SELECT DINDATA, NR, GRUPA, SUM(RESTINI+SUMA2) AS TSUMA FROM "<D>Datorii.dbf" WHERE TIP="M" AND NR=7 GROUP BY DINDATA, NR, GRUPA ORDER BY DINDATA, NR, GRUPA)",
     "DINDATA\tNR\tGRUPA\tTSUMA\n02.02.2014\t7\tSalubritate\t55\n15.03.2014\t7\tAmenda\t200\n"},
    // Per-taxpayer sums over a comma join, grouped by fields of both tables.
    {R"(SELECT A.ROL, A.NUMEP, SUM(B.CANT) AS NRX, SUM(B.SUMA2) AS IMP FROM "<D>Gospodar.dbf" A, "<D>Datorii.dbf" B WHERE A.IDGOS=B.IDGOS )"
     R"(AND B.GRUPA LIKE "Impozit pe teren %" AND (B.SUMA2>0) GROUP BY A.ROL, A.NUMEP ORDER BY A.ROL)",
     "ROL\tNUMEP\tNRX\tIMP\n10\tPOP ION\t443\t50\n9\tANA MARIA\t2.5\t30\n"},
    {R"(SELECT UPPER(DOCJUS) AS D FROM "<D>Datorii.dbf" WHERE UPPER(DOCJUS) LIKE "%48H%" OR UPPER(DOCJUS) LIKE "%48 H%")", "D\nPV 12 ACHITAT IN 48H\n"},
};
INSTANTIATE_TEST_SUITE_P(Groups, ShapesTest, ::testing::ValuesIn(kGroups));

const Case kJoins[] = {
    // FULL JOIN keeps debts of unknown taxpayers and taxpayers without debts; the report's
    // conditions on the debt side then drop the latter. NULL roles sort first.
    {R"(SELECT D.IDGOS, G.NUMEP, D.DENUM, CAST(D.ROL AS FLOAT) AS ROLN FROM "<D>Datorii.dbf" D FULL JOIN "<D>Gospodar.dbf" G ON D.IDGOS=G.IDGOS )"
     R"(WHERE D.GRUPA LIKE "Impozit pe teren%" AND (D.DOCJUS="" OR D.DOCJUS IS NULL) AND D.CANT>0 ORDER BY D.SATUL, ROLN, D.IDGOS)",
     "IDGOS\tNUMEP\tDENUM\tROLN\n2\tANA MARIA\tTeren arabil\t9\n1\tPOP ION\tCurti-constructii\t10\n9\t\tPasuni - fanete\t5\n"},
    {R"(SELECT G.IDGOS, P.IDGOS, P.C1S FROM "<D>Gospodar.dbf" G FULL JOIN "<D>Pag2.dbf" P ON G.IDGOS=P.IDGOS ORDER BY G.IDGOS, P.IDGOS)",
     "IDGOS\tIDGOS\tC1S\n\t7\t10\n1\t1\t80.5\n2\t2\t0\n3\t\t\n4\t\t\n5\t\t\n"},
    {R"(SELECT G.IDGOS, G.ROL, (P.C1S+P.VA1) AS SUPT FROM "<D>Gospodar.dbf" G JOIN "<D>Pag2.dbf" P ON G.IDGOS=P.IDGOS WHERE G.SATUL="Deal" AND (P.C1S>0 OR P.VA1>0))",
     "IDGOS\tROL\tSUPT\n1\t10\t80.5\n"},
    // JOIN then LEFT JOIN, with every field of the first table.
    {R"(SELECT C.*, G.ROL, P.C1S FROM "<D>Chitante.dbf" C JOIN "<D>Gospodar.dbf" G ON C.IDGOS=G.IDGOS LEFT JOIN "<D>Pag2.dbf" P ON G.IDGOS=P.IDGOS WHERE C.TIP<>"C" ORDER BY C.IDCHIT)",
     "IDCHIT\tIDGOS\tSERIA\tNR\tDATAI\tGRUPA\tCODCLAS\tTIPF\tINCANUME\tRESTANTA\tCURENT\tREDUCERE\tTOTAL\tTIP\tROL\tC1S\n"
     "2\t3\t -\t88\t03.02.2014\tAmenda\t350201\tJ\tION\t0\t200\t0\t200\tO\t2A\t\n"
     "3\t4\t -\t0\t04.02.2014\tSalubritate\t360250\tF\tPOPA\t15\t0\t0\t15\tN\t1\t\n"},
    // An alias hides the file name of its table: Gospodar here is the page table.
    {R"(SELECT Gospodar.IDGOS, G.NUMEP FROM "<D>Pag2.dbf" Gospodar JOIN "<D>Gospodar.dbf" G ON Gospodar.IDGOS=G.IDGOS)",
     "IDGOS\tNUMEP\n1\tPOP ION\n2\tANA MARIA\n"},
    // A comma join on two keys.
    {R"(SELECT A.IDDAT, B.NUMEP FROM "<D>Datorii.dbf" A, "<D>Gospodar.dbf" B WHERE A.ROL=B.ROL AND A.SATUL=B.SATUL AND A.TIP="M" ORDER BY B.SATUL, A.ROL)",
     "IDDAT\tNUMEP\n16\tFARA SAT\n14\tURSU DAN\n13\tSC VALE SRL\n"},
};
INSTANTIATE_TEST_SUITE_P(Joins, ShapesTest, ::testing::ValuesIn(kJoins));

const Case kDates[] = {
    // Date fields against literals, day numbers and arithmetic; text joined with a date shows it as written.
    {R"(SELECT IDCHIT FROM "<D>Chitante.dbf" WHERE DATAI>="04.02.2014" AND DATAI<="31.12.2014")", "IDCHIT\n3\n4\n"},
    {R"(SELECT IDCHIT FROM "<D>Chitante.dbf" WHERE DATAI=41673)", "IDCHIT\n1\n1\n2\n"},
    {R"(SELECT DATAI - "01.01.2014" AS ZILE, "28.02.2014" - DATAI AS RAMAS, DATAI + 3 AS D3, DATAI - 3 AS DM3, NR + " / " + DATAI AS K FROM "<D>Chitante.dbf" WHERE IDCHIT=4)",
     "ZILE\tRAMAS\tD3\tDM3\tK\n35\t23\t08.02.2014\t02.02.2014\t2 / 05.02.2014\n"},
    {R"(SELECT IDCHIT FROM "<D>Chitante.dbf" WHERE (IDGOS IS NULL OR IDGOS=-1) AND DATAI IS NULL)", "IDCHIT\n5\n"},
};
INSTANTIATE_TEST_SUITE_P(Dates, ShapesTest, ::testing::ValuesIn(kDates));

// Sequences of writes the program runs on its work tables.
class ShapeWrites : public ::testing::Test {
 protected:
  void SetUp() override { createCommune(db_); }
  std::int64_t exec(const std::string& s) { return db_.execute(expand(db_.directory(), s)); }
  std::string rows(const std::string& s) { return sqltest::run(db_, expand(db_.directory(), s)); }

  sqltest::ScratchDir dir_;
  engine::Database db_{dir_.path().string()};
};

TEST_F(ShapeWrites, CarriedBalancesMoveNegativeLinesToCredits) {
  exec(R"(CREATE TABLE "<D>Pag8.dbf" (IDGOS DECIMAL(10,0), LIN1 DECIMAL(8,0), SOLD1 DECIMAL(8,0), PEN1 DECIMAL(8,0)))");
  exec(R"(INSERT INTO "<D>Pag8.dbf" VALUES (1, 5, 2, -1), (2, 4, 11, 3), (3, NULL, 1, 0))");
  EXPECT_EQ(exec(R"(UPDATE "<D>Pag8.dbf" SET LIN1=LIN1+12, PEN1=PEN1+2 WHERE IDGOS=1)"), 1);
  exec(R"(UPDATE "<D>Pag8.dbf" SET LIN1=LIN1-SOLD1)");
  exec(R"(UPDATE "<D>Pag8.dbf" SET SOLD1=0)");
  // Both assignments read the row as it was: SOLD1 takes the old, negative LIN1.
  EXPECT_EQ(exec(R"(UPDATE "<D>Pag8.dbf" SET SOLD1=-LIN1, LIN1=0 WHERE LIN1<0)"), 1);
  EXPECT_EQ(exec(R"(UPDATE "<D>Pag8.dbf" SET PEN1=0 WHERE PEN1<0)"), 0);
  EXPECT_EQ(rows(R"(SELECT * FROM "<D>Pag8.dbf")"), "IDGOS\tLIN1\tSOLD1\tPEN1\n1\t15\t0\t1\n2\t0\t7\t3\n3\t\t0\t0\n");
}

TEST_F(ShapeWrites, CashRegisterSummaryFromGroupedInsertWithConstants) {
  exec(R"(CREATE TABLE "<D>RegCasa.dbf" (IDRC DECIMAL(10,0), DATAI DATE, DOCJUS CHAR(50), PLATIT DECIMAL(6,0), INCASAT DECIMAL(6,0), INCANUME CHAR(32) ))");
  EXPECT_EQ(exec(R"(INSERT INTO "<D>RegCasa.dbf" (IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME) SELECT 0, DATAI, "Incasari " + INCANUME, 0, SUM(TOTAL), INCANUME )"
                 R"(FROM "<D>Chitante.dbf" WHERE TIP IN ("C","O") AND DATAI IS NOT NULL GROUP BY DATAI, INCANUME)"),
            3);
  EXPECT_EQ(exec(R"(UPDATE "<D>RegCasa.dbf" SET PLATIT=-INCASAT, INCASAT=0 WHERE INCASAT<0)"), 1);
  EXPECT_EQ(rows(R"(SELECT DATAI, DOCJUS, PLATIT, INCASAT FROM "<D>RegCasa.dbf" ORDER BY DATAI, INCANUME)"),
            "DATAI\tDOCJUS\tPLATIT\tINCASAT\n03.02.2014\tIncasari ION\t0\t200\n03.02.2014\tIncasari POPA\t0\t140\n05.02.2014\tIncasari POPA\t30\t0\n");
  EXPECT_EQ(rows(R"(SELECT SUM(INCASAT)-SUM(PLATIT) AS SP FROM "<D>RegCasa.dbf" WHERE DATAI<"05.02.2014" AND INCANUME="POPA")"), "SP\n140\n");
}

TEST_F(ShapeWrites, CumulatedBordereauxGroupByAnAliasOfADateField) {
  exec(R"(CREATE TABLE "<D>BD_BS.dbf" (GRUPA CHAR(60), NR DECIMAL(10,0), ZIUA DATE, BD DECIMAL(10,0), BS DECIMAL(10,0), ROL CHAR(9), NUMEP CHAR(40)))");
  EXPECT_EQ(exec(R"(INSERT INTO "<D>BD_BS.dbf" (GRUPA, NR, ZIUA, BD, BS, ROL, NUMEP) SELECT A.GRUPA, A.NR, A.DINDATA, A.RESTINI+A.SUMA2, 0, B.ROL, B.NUMEP )"
                 R"(FROM "<D>Datorii.dbf" A JOIN "<D>Gospodar.dbf" B ON A.IDGOS=B.IDGOS WHERE A.TIP="M" AND (A.RESTINI>0 OR A.SUMA2>0))"),
            3);
  EXPECT_EQ(exec(R"(INSERT INTO "<D>BD_BS.dbf" (GRUPA, NR, ZIUA, BD, BS, ROL, NUMEP) SELECT A.GRUPA, A.NR, A.DINDATA, 0, -A.SUMA, B.ROL, B.NUMEP )"
                 R"(FROM "<D>Datorii.dbf" A JOIN "<D>Gospodar.dbf" B ON A.IDGOS=B.IDGOS WHERE A.IDDAT=14)"),
            1);
  EXPECT_EQ(rows(R"(SELECT NR, ZIUA AS DINDATA, ROL, SUM(BD) AS A1BD, SUM(BS) AS A1BS, SUM(BD-BS) AS TOTAL FROM "<D>BD_BS.dbf" )"
                 R"(GROUP BY NR, DINDATA, ROL ORDER BY ZIUA, NR)"),
            "NR\tDINDATA\tROL\tA1BD\tA1BS\tTOTAL\n7\t02.02.2014\t1\t55\t-40\t95\n\t20.02.2014\t\t8\t0\t8\n7\t15.03.2014\t2A\t200\t0\t200\n");
}

TEST_F(ShapeWrites, FixedQuantitiesThroughAWorkTableOfIdentifiers) {
  exec(R"(CREATE TABLE "<D>FixTaxa0.dbf" (IDGOS DECIMAL(10,0)))");
  EXPECT_EQ(exec(R"(INSERT INTO "<D>FixTaxa0.dbf" (IDGOS) SELECT IDGOS FROM "<D>Gospodar.dbf" WHERE SATUL="Deal")"), 2);
  EXPECT_EQ(exec(R"(UPDATE "<D>Pag2.dbf" SET VA1=3 WHERE IDGOS IN (SELECT IDGOS FROM "<D>FixTaxa0.dbf"))"), 2);
  EXPECT_EQ(rows(R"(SELECT IDGOS, VA1 FROM "<D>Pag2.dbf")"), "IDGOS\tVA1\n1\t3\n2\t3\n7\t0\n");
}

TEST_F(ShapeWrites, DailyCleanupNeverRemovesRowsWithoutVillageOrRole) {
  EXPECT_EQ(exec(R"(DELETE FROM "<D>Datorii.dbf" WHERE SATUL<>"" AND ROL<>"" AND SATUL<>"Deal" AND SATUL<>"Vale")"), 1);
  EXPECT_EQ(rows(R"(SELECT IDDAT FROM "<D>Datorii.dbf" WHERE SATUL="" OR SATUL="Munte")"), "IDDAT\n16\n");
  // The register's cleanup compares roles as text: "10" < "1" is false, "" and "0" go.
  exec(R"(INSERT INTO "<D>Gospodar.dbf" (IDGOS, ROL) VALUES (6, "0"))");
  EXPECT_EQ(exec(R"(DELETE FROM "<D>Gospodar.dbf" WHERE NOTAX="DA" OR (ROL="" OR ROL<"1"))"), 3);
  EXPECT_EQ(rows(R"(SELECT IDGOS FROM "<D>Gospodar.dbf")"), "IDGOS\n1\n2\n3\n");
}

// Hostile or broken statements are refused with a position and never crash.
TEST(ShapeInput, NestingBeyondReasonIsRefusedNotACrash) {
  sqltest::ScratchDir dir;
  engine::Database db(dir.path().string());
  createCommune(db);
  const std::string head = "SELECT IDGOS FROM \"Gospodar.dbf\" WHERE ";
  const std::string chain = [] {
    std::string s = "IDGOS=1";
    for (int i = 0; i < 20000; ++i) s += "+0";
    return s;
  }();
  const std::string deep[] = {head + std::string(20000, '(') + "IDGOS=1" + std::string(20000, ')'),
                              [&] {
                                std::string s = head;
                                for (int i = 0; i < 20000; ++i) s += "NOT ";
                                return s + "IDGOS=1";
                              }(),
                              head + chain, "SELECT " + std::string(20000, '-') + "1 AS X FROM \"Gospodar.dbf\""};
  for (const std::string& s : deep) {
    try {
      db.query(s);
      ADD_FAILURE() << "accepted a statement " << s.size() << " characters long";
    } catch (const engine::SqlError& e) {
      EXPECT_NE(std::string(e.what()).find("prea complicata"), std::string::npos) << e.what();
      EXPECT_LT(e.position(), s.size());
    }
  }
  // Nesting as deep as any real statement still runs.
  EXPECT_EQ(sqltest::run(db, head + std::string(40, '(') + "IDGOS=1" + std::string(40, ')')), "IDGOS\n1\n");
  std::string villages = "SELECT Count(*) AS N FROM \"Datorii.dbf\" WHERE SATUL<>\"\"";
  for (int i = 0; i < 200; ++i) villages += " AND SATUL<>\"Sat " + std::to_string(i) + "\"";
  EXPECT_EQ(sqltest::run(db, villages), "N\n6\n");
}

TEST(ShapeInput, AJoinWithoutConditionsIsRefusedBeforeItExhaustsMemory) {
  sqltest::ScratchDir dir;
  engine::Database db(dir.path().string());
  createCommune(db);
  std::string cross = "SELECT Count(*) AS N FROM \"Datorii.dbf\" T0";
  for (int i = 1; i < 12; ++i) cross += ", \"Datorii.dbf\" T" + std::to_string(i);
  try {
    db.query(cross);
    ADD_FAILURE() << "7^12 rows were joined";
  } catch (const engine::Error& e) {
    EXPECT_NE(std::string(e.what()).find("conditiile care leaga tabelele"), std::string::npos) << e.what();
  }
  EXPECT_EQ(sqltest::run(db, "SELECT Count(*) AS N FROM \"Datorii.dbf\" A, \"Datorii.dbf\" B, \"Gospodar.dbf\" C"), "N\n245\n");
}

TEST(ShapeInput, BrokenTextIsRefusedAndLeavesTheTablesAsTheyWere) {
  sqltest::ScratchDir dir;
  engine::Database db(dir.path().string());
  createCommune(db);
  using namespace std::string_literals;
  struct Broken {
    std::string statement;
    const char* reason;
  };
  const Broken broken[] = {
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"A\0B\" WHERE IDGOS=1"s, "caracter nul"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"X\" WHERE IDGOS=1\0 OR 1=1"s, "caracter neasteptat"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"" + std::string(100000, 'x') + "\" WHERE IDGOS=1", "NUMEP C(40) al tabelei Gospodar.dbf"},
      {"UPDATE \"Gospodar.dbf\" SET IDGOS=" + std::string(30, '9') + " WHERE IDGOS=1", "IDGOS N(10,0) al tabelei Gospodar.dbf"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"X WHERE IDGOS=1", "text neterminat"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP='X\" WHERE IDGOS=1", "text neterminat"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"X\" WHERE IDGOS=(1", "se astepta \")\""},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"X\" WHERE NIMIC=1", "campul NIMIC nu exista"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"X\" WHERE " + std::string(5000, 'N') + "=1", "nu exista"},
      {"UPDATE \"Nimic.dbf\" SET NUMEP=\"X\"", "Nimic.dbf"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"\xff\xfe\" WHERE IDGOS=1", "Windows-1250"},
      {"UPDATE \"Gospodar.dbf\" SET NUMEP=\"ăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăăă WHERE IDGOS=1", "text neterminat"},
  };
  for (const Broken& b : broken) {
    try {
      db.execute(b.statement);
      ADD_FAILURE() << "accepted: " << b.statement.substr(0, 80);
    } catch (const engine::Error& e) {
      // A complete message of reasonable size, whatever the input.
      const std::string message = e.what();
      EXPECT_NE(message.find(b.reason), std::string::npos) << message;
      EXPECT_LT(message.size(), 300u) << message.substr(0, 300);
      EXPECT_EQ(message.find('\0'), std::string::npos);
    }
  }
  EXPECT_EQ(sqltest::run(db, "SELECT IDGOS, NUMEP FROM \"Gospodar.dbf\" WHERE IDGOS=1"), "IDGOS\tNUMEP\n1\tPOP ION\n");
}

}  // namespace
