// Scratch mode: work tables written beside a busy data directory without its
// lock and without a journal, readable afterwards like any table.
#include "sql_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using engine::Database;
namespace fs = std::filesystem;

TEST(ScratchModeTest, WritesWhileTheDirectoryIsHeldAndRollsBack) {
  sqltest::ScratchDir dir;
  const std::string path = dir.path().string();
  Database records(path);
  records.execute(R"(CREATE TABLE "SoldCalc.dbf" (IDGOS DECIMAL(10,0), REST DECIMAL(6,0)))");
  records.execute(R"(INSERT INTO "SoldCalc.dbf" VALUES (1, 500))");

  Database scratch(path, Database::Mode::Scratch);
  scratch.execute(R"(CREATE TABLE "Impozite0.dbf" (IDRES DECIMAL(10,0), ACHITAT DECIMAL(6,0)))");
  {
    // A durable writer of this program holds the directory: a scratch write does
    // not wait for it (waiting would refuse at once, from the same program).
    engine::Transaction payment(records);
    records.execute(R"(UPDATE "SoldCalc.dbf" SET REST=100 WHERE IDGOS=1)");
    auto cursor = scratch.openTable("Impozite0.dbf");
    cursor->append();
    cursor->setField("IDRES", engine::Value::integer(7));
    cursor->setField("ACHITAT", engine::Value::integer(-5));
    cursor->post();
    scratch.execute(R"(UPDATE "Impozite0.dbf" SET ACHITAT=120 WHERE IDRES=7)");
    payment.commit();
  }
  EXPECT_EQ(sqltest::run(scratch, R"(SELECT IDRES, ACHITAT FROM "Impozite0.dbf")"), "IDRES\tACHITAT\n7\t120\n");

  // A rollback in scratch mode still takes back what the transaction wrote.
  {
    engine::Transaction t(scratch);
    scratch.execute(R"(DELETE FROM "Impozite0.dbf")");
  }
  scratch.execute(R"(DROP TABLE "Impozite0.dbf")");
  EXPECT_FALSE(fs::exists(dir.path() / "Impozite0.dbf"));

  // What a scratch database wrote is an ordinary table for everybody else.
  scratch.execute(R"(CREATE TABLE "Taxe0.dbf" (NR DECIMAL(10,0)))");
  scratch.execute(R"(INSERT INTO "Taxe0.dbf" VALUES (3))");
  Database reader(path);
  EXPECT_EQ(sqltest::run(reader, R"(SELECT NR FROM "Taxe0.dbf")"), "NR\n3\n");
}

TEST(ScratchModeTest, LeavesNeitherJournalNorLockFileInTheProgramFolder) {
  sqltest::ScratchDir dir;
  Database scratch(dir.path().string(), Database::Mode::Scratch);
  scratch.execute(R"(CREATE TABLE "Debite0.dbf" (NR DECIMAL(10,0)))");
  scratch.execute(R"(INSERT INTO "Debite0.dbf" VALUES (1))");
  EXPECT_EQ(sqltest::run(scratch, R"(SELECT NR FROM "Debite0.dbf")"), "NR\n1\n");
  EXPECT_FALSE(fs::exists(dir.path() / "Dajdor.lck"));
  EXPECT_FALSE(fs::exists(dir.path() / "Dajdor.jnl"));
}

}  // namespace
