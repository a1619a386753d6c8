// Rejected statements: the error names the position (1-based in the message,
// 0-based in position()), the text found there and the reason.
#include "sql_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Rejected {
  const char* statement;
  std::size_t position;
  const char* reason;  // a part of the message
};

using ErrorTest = sqltest::SharedDatabaseSuite<Rejected, sqltest::createSampleTables>;

TEST_P(ErrorTest, NamesPositionAndReason) {
  const Rejected& c = GetParam();
  try {
    if (std::string_view(c.statement).substr(0, 6) == "SELECT") db_->query(c.statement);
    else db_->execute(c.statement);
    FAIL() << "accepted: " << c.statement;
  } catch (const engine::SqlError& e) {
    EXPECT_EQ(e.position(), c.position) << e.what();
    const std::string message = e.what();
    EXPECT_NE(message.find("pozitia " + std::to_string(c.position + 1)), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
}

const Rejected kRejected[] = {
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL="12)", 43, "neterminat"},
    {R"(SELECT IDGOS FRM "Gospodar.dbf")", 17, "se astepta FROM"},
    {R"(SELECT IDGOS, FROM "Gospodar.dbf")", 14, "cuvant rezervat"},
    {R"(SELECT NIMIC FROM "Gospodar.dbf")", 7, "campul NIMIC nu exista"},
    {R"(SELECT G.NIMIC FROM "Gospodar.dbf" G)", 7, "nu exista in tabela G"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS)", 7, "ambiguu"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE SUM(IDGOS)>1)", 39, "HAVING"},
    {R"(SELECT SATUL FROM "Gospodar.dbf" ORDER BY 3)", 42, "nu numeste o coloana"},
    {R"(SELECT FOO(ROL) FROM "Gospodar.dbf")", 7, "functie necunoscuta"},
    {R"(SELECT CAST(ROL AS BLOB) FROM "Gospodar.dbf")", 19, "tip necunoscut"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE IDGOS IN (SELECT IDGOS, ROL FROM "Gospodar.dbf"))", 45, "o singura coloana"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" extra words)", 39, "text in plus"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL # 1)", 43, "caracter neasteptat"},
    {R"(UPDATE "Datorii.dbf" SET X.SUMA=1)", 25, "nu este cea actualizata"},
    {R"(CREATE TABLE "N.dbf" (A CHAR(300)))", 24, "intre 1 si 254"},
    {R"(CREATE TABLE "N.dbf" (A DECIMAL(4,6)))", 24, "s <= p-2"},
    {R"(CREATE TABLE "N.dbf" (A DECIMAL(3,2)))", 24, "s <= p-2"},
    {R"(CREATE TABLE "N.dbf" (A DECIMAL(21,0)))", 24, "1 <= p <= 20"},
    {R"(CREATE TABLE "N.dbf" (A DECIMAL(0,0)))", 24, "1 <= p <= 20"},
    {R"(CREATE TABLE "N.dbf" (A CHAR(2), a DATE))", 33, "de doua ori"},
    {R"(ALTER TABLE "Gospodar.dbf" RENAME ROL)", 27, "ADD sau DROP"},
    {R"(MERGE INTO "Gospodar.dbf")", 0, "instructiune necunoscuta"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE)", 38, "se termina prea devreme"},
};
INSTANTIATE_TEST_SUITE_P(Statements, ErrorTest, ::testing::ValuesIn(kRejected));

TEST(QueryOnly, ExecuteQueryRefusesOtherStatements) {
  sqltest::ScratchDir dir;
  engine::Database db(dir.path().string());
  sqltest::createSampleTables(db);
  EXPECT_THROW(db.query(R"(DELETE FROM "Gospodar.dbf")"), engine::SqlError);
  EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Gospodar.dbf")"), "N\n4\n");
}

}  // namespace
