// INSERT, UPDATE, DELETE and the table-structure statements, through Database.
#include "dbf_test_support.h"
#include "sql_fixture.h"

#include <gtest/gtest.h>

namespace {

class WriteTest : public ::testing::Test {
 protected:
  void SetUp() override { sqltest::createSampleTables(db_); }
  std::string rows(const std::string& select) { return sqltest::run(db_, select); }

  sqltest::ScratchDir dir_;
  engine::Database db_{dir_.path().string()};
};

TEST_F(WriteTest, InsertWithAndWithoutFieldListAndFromSelect) {
  EXPECT_EQ(db_.execute(R"(INSERT INTO "Gospodar.dbf" (ROL, IDGOS) VALUES ("77", 5))"), 1);
  EXPECT_EQ(rows(R"(SELECT IDGOS, SATUL, ROL FROM "Gospodar.dbf" WHERE IDGOS=5)"), "IDGOS\tSATUL\tROL\n5\t\t77\n");

  db_.execute(R"(CREATE TABLE "Work.dbf" (IDGOS DECIMAL(10,0), TOTAL DECIMAL(8,0), ZI DATE))");
  EXPECT_EQ(db_.execute(R"(INSERT INTO "Work.dbf" (IDGOS, TOTAL, ZI) SELECT IDGOS, SUM(SUMA+REST), MAX(DINDATA) FROM "Datorii.dbf" WHERE IDGOS<5 GROUP BY IDGOS)"), 3);
  EXPECT_EQ(rows(R"(SELECT * FROM "Work.dbf" ORDER BY IDGOS)"),
            "IDGOS\tTOTAL\tZI\n1\t120\t15.03.2014\n2\t70\t01.01.2014\n3\t35\t\n");
  // A table copied into itself reads the rows as they were before the statement.
  EXPECT_EQ(db_.execute(R"(INSERT INTO "Work.dbf" SELECT IDGOS+10, TOTAL, ZI FROM "Work.dbf")"), 3);
  EXPECT_EQ(rows(R"(SELECT Count(*) AS N FROM "Work.dbf")"), "N\n6\n");
}

TEST_F(WriteTest, UpdateComputesFromTheOldRowAndReachesDates) {
  EXPECT_EQ(db_.execute(R"(UPDATE "Datorii.dbf" SET SUMA=SUMA-3, REST=SUMA WHERE IDGOS=1)"), 2);
  EXPECT_EQ(rows(R"(SELECT IDDAT, SUMA, REST FROM "Datorii.dbf" WHERE IDGOS=1)"), "IDDAT\tSUMA\tREST\n10\t97\t100\n11\t47\t50\n");
  EXPECT_EQ(db_.execute(R"(UPDATE "Datorii.dbf" SET DINDATA="29.02.2016" WHERE DINDATA IS NULL)"), 1);
  EXPECT_EQ(rows(R"(SELECT DINDATA FROM "Datorii.dbf" WHERE IDDAT=13)"), "DINDATA\n29.02.2016\n");
  // The key the rows were found by may change: every matched row is updated once.
  EXPECT_EQ(db_.execute(R"(UPDATE "Datorii.dbf" SET IDGOS=IDGOS+1 WHERE IDGOS IN (1, 2))"), 3);
  EXPECT_EQ(rows(R"(SELECT IDDAT, IDGOS FROM "Datorii.dbf" WHERE IDGOS IN (2, 3) ORDER BY IDDAT)"),
            "IDDAT\tIDGOS\n10\t2\n11\t2\n12\t3\n13\t3\n");
}

// Streamed row by row or computed in full first (when a sub-select reads the
// table too), every value comes from the rows as they were before the statement.
TEST_F(WriteTest, UpdateReadsTheTableAsItWasWhetherStreamedOrNot) {
  EXPECT_EQ(db_.execute(R"(UPDATE "Datorii.dbf" SET SUMA=REST, REST=SUMA WHERE IDGOS<=2)"), 3);
  EXPECT_EQ(rows(R"(SELECT IDDAT, SUMA, REST FROM "Datorii.dbf" WHERE IDGOS<=2)"),
            "IDDAT\tSUMA\tREST\n10\t20\t100\n11\t\t50\n12\t0\t70\n");
  EXPECT_EQ(db_.execute(R"(UPDATE "Datorii.dbf" SET SUMA=(SELECT MAX(SUMA) FROM "Datorii.dbf")+IDDAT)"), 5);
  EXPECT_EQ(rows(R"(SELECT IDDAT, SUMA FROM "Datorii.dbf")"),
            "IDDAT\tSUMA\n10\t210\n11\t211\n12\t212\n13\t213\n14\t214\n");
}

TEST_F(WriteTest, UpdateWithAliasAndCorrelatedSubselect) {
  db_.execute(R"(CREATE TABLE "CODCL.dbf" (GRUPA CHAR(60), CODCLF CHAR(24)))");
  db_.execute(R"(INSERT INTO "CODCL.dbf" VALUES ("Impozit pe cladiri", "070200"), ("Salubritate", "360250"))");
  db_.execute(R"(CREATE TABLE "Pop.dbf" (GRUPA CHAR(60), RAMASITA DECIMAL(6,0), CURENT DECIMAL(6,0), DEBIT DECIMAL(8,0), CONTT CHAR(24)))");
  db_.execute(R"(INSERT INTO "Pop.dbf" (GRUPA, RAMASITA, CURENT) VALUES ("Salubritate", 5, 7), ("Amenda", 1, 1))");
  EXPECT_EQ(db_.execute(R"(UPDATE "Pop.dbf" A SET A.DEBIT=A.RAMASITA+A.CURENT, A.CONTT=(SELECT MAX(CODCLF) FROM "CODCL.dbf" B WHERE A.GRUPA=B.GRUPA))"), 2);
  EXPECT_EQ(rows(R"(SELECT GRUPA, DEBIT, CONTT FROM "Pop.dbf")"), "GRUPA\tDEBIT\tCONTT\nSalubritate\t12\t360250\nAmenda\t2\t\n");
}

TEST_F(WriteTest, DeleteByConditionAndBySubselect) {
  db_.execute(R"(CREATE TABLE "Fix.dbf" (IDGOS DECIMAL(10,0)))");
  db_.execute(R"(INSERT INTO "Fix.dbf" (IDGOS) SELECT IDGOS FROM "Gospodar.dbf" WHERE SATUL="Deal")");
  EXPECT_EQ(db_.execute(R"(DELETE FROM "Datorii.dbf" WHERE IDGOS IN (SELECT IDGOS FROM "Fix.dbf"))"), 3);
  EXPECT_EQ(db_.execute(R"(DELETE FROM "Datorii.dbf" WHERE GRUPA="Nimic")"), 0);
  EXPECT_EQ(rows(R"(SELECT IDDAT FROM "Datorii.dbf")"), "IDDAT\n13\n14\n");
  EXPECT_EQ(db_.execute(R"(DELETE FROM "Datorii.dbf")"), 2);
  EXPECT_EQ(rows(R"(SELECT Count(*) AS N, MAX(IDDAT) AS XX FROM "Datorii.dbf")"), "N\tXX\n0\t\n");
}

TEST_F(WriteTest, AlterAddsAndDropsSeveralFieldsKeepingRows) {
  db_.execute(R"(ALTER TABLE "Gospodar.dbf" ADD DINV1 DATE, ADD V5 DECIMAL(8,0), AM5 CHAR(2))");
  db_.execute(R"(UPDATE "Gospodar.dbf" SET DINV1="01.01.2013", V5=0 WHERE TIP="FIZICA")");
  EXPECT_EQ(rows(R"(SELECT IDGOS, DINV1, V5, AM5 FROM "Gospodar.dbf" WHERE IDGOS>=3)"), "IDGOS\tDINV1\tV5\tAM5\n3\t\t\t\n4\t01.01.2013\t0\t\n");
  db_.execute(R"(ALTER TABLE "Gospodar.dbf" DROP TIP, DROP AM5)");
  EXPECT_EQ(rows(R"(SELECT * FROM "Gospodar.dbf" WHERE IDGOS=4)"), "IDGOS\tSATUL\tROL\tNUMEP\tDINV1\tV5\n4\tVale\t1\tUrsu Dan\t01.01.2013\t0\n");
  db_.execute(R"(DROP TABLE "Gospodar.dbf")");
  EXPECT_FALSE(db_.tableExists("Gospodar.dbf"));
}

// DECIMAL(p,s) is a dBase numeric field of width p with s decimals; a value
// fits when its text (sign, digits, point, s decimals) fits the width.
TEST_F(WriteTest, CreateMapsTypesToFieldsOfTheDbaseLayout) {
  db_.execute(R"(CREATE TABLE "T.dbf" (A CHAR(12), B DECIMAL(6,0), C DECIMAL(8,4), D DATE, E NUMERIC(8,2), F FLOAT, )"
              R"(G INTEGER, H SMALLINT, I DECIMAL(10,0)))");
  db_.execute(R"(ALTER TABLE "T.dbf" ADD J DECIMAL(9,4))");
  std::string layout;
  for (const engine::FieldDesc& f : db_.fields("T.dbf"))
    layout += f.name + " " + f.type + std::to_string(f.length) + "." + std::to_string(f.decimals) + "\n";
  EXPECT_EQ(layout, "A C12.0\nB N6.0\nC N8.4\nD D8.0\nE N8.2\nF N20.6\nG N11.0\nH N6.0\nI N10.0\nJ N9.4\n");

  const struct {
    const char* field;
    const char* value;
    const char* stored;  // nullptr: refused
  } cases[] = {
      {"B", "999999", "999999"},       {"B", "-99999", "-99999"},       {"B", "1000000", nullptr},
      {"B", "-100000", nullptr},       {"B", "999999.4", "999999"},     {"B", "999999.5", nullptr},
      {"C", "999.9999", "999.9999"},   {"C", "-99.9999", "-99.9999"},   {"C", "1000", nullptr},
      {"C", "-100", nullptr},          {"C", "999.99995", nullptr},     {"C", "0.00005", "0.0001"},
      {"E", "99999.99", "99999.99"},   {"E", "-9999.99", "-9999.99"},   {"E", "100000", nullptr},
      {"I", "9999999999", "9999999999"}, {"I", "10000000000", nullptr}, {"J", "9999.9999", "9999.9999"},
      {"J", "10000", nullptr},
  };
  for (const auto& c : cases) {
    const std::string insert = std::string(R"(INSERT INTO "T.dbf" (A, )") + c.field + ") VALUES (\"case\", " + c.value + ")";
    if (!c.stored) {
      try {
        db_.execute(insert);
        ADD_FAILURE() << "accepted: " << insert;
      } catch (const engine::Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(std::string("câmpul ") + c.field + " N("), std::string::npos) << message;
        EXPECT_NE(message.find("T.dbf"), std::string::npos) << message;
        EXPECT_NE(message.find(c.value), std::string::npos) << message;
      }
    } else {
      db_.execute(insert);
      EXPECT_EQ(rows(std::string("SELECT ") + c.field + R"( FROM "T.dbf" WHERE A="case")"), std::string(c.field) + "\n" + c.stored + "\n")
          << c.field << " " << c.value;
      db_.execute(R"(DELETE FROM "T.dbf")");
    }
    EXPECT_EQ(rows(R"(SELECT Count(*) AS N FROM "T.dbf" WHERE A="case")"), "N\n0\n");
  }
}

// Earlier builds gave DECIMAL(6,0) one more character: such a table keeps its
// width, read from its header, and holds what that width holds.
TEST_F(WriteTest, ATableOfTheWiderEarlierLayoutKeepsItsWidths) {
  storagetest::writeBytes(dir_.path() / "Vechi.dbf",
                          storagetest::handMadeDbf({{"IDGOS", 'N', 11, 0}, {"SUMA", 'N', 7, 0}, {"ARIE", 'N', 10, 4}},
                                                   {"          1      5    2.5000"}));
  db_.execute(R"(INSERT INTO "Vechi.dbf" VALUES (2, -999999, 99999.9999))");
  db_.execute(R"(UPDATE "Vechi.dbf" SET SUMA=1000000 WHERE IDGOS=1)");
  EXPECT_EQ(rows(R"(SELECT IDGOS, SUMA, ARIE FROM "Vechi.dbf")"), "IDGOS\tSUMA\tARIE\n1\t1000000\t2.5\n2\t-999999\t99999.9999\n");
  std::string layout;
  for (const engine::FieldDesc& f : db_.fields("Vechi.dbf")) layout += std::to_string(f.length) + "." + std::to_string(f.decimals) + " ";
  EXPECT_EQ(layout, "11.0 7.0 10.4 ");
}

TEST_F(WriteTest, RefusedWritesChangeNothing) {
  const std::string before = rows(R"(SELECT * FROM "Datorii.dbf")");
  const char* refused[] = {
      R"(INSERT INTO "Datorii.dbf" (IDDAT, NUMEP) VALUES (1, "x"))",
      R"(INSERT INTO "Datorii.dbf" (IDDAT, SUMA) VALUES (1))",
      R"(INSERT INTO "Datorii.dbf" VALUES (1, 2))",
      R"(INSERT INTO "Datorii.dbf" (IDDAT, DINDATA) VALUES (1, "31.02.2014"))",
      R"(UPDATE "Datorii.dbf" SET SUMA=SUMA/0 WHERE IDDAT=10)",
      R"(UPDATE "Datorii.dbf" SET SUMA=SUMA*100000)",
      R"(UPDATE "Datorii.dbf" SET SUMA=GRUPA*2)",
      R"(DELETE FROM "Datorii.dbf" WHERE NIMIC=1)",
      R"(DELETE FROM "Lipsa.dbf")",
  };
  for (const char* statement : refused) {
    EXPECT_THROW(db_.execute(statement), engine::Error) << statement;
    EXPECT_EQ(rows(R"(SELECT * FROM "Datorii.dbf")"), before) << statement;
  }
}

}  // namespace
