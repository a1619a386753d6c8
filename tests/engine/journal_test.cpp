// Transactions, the rollback journal and recovery after a writer dies.
#include "crash_support.h"
#include "sql_fixture.h"
#include "store/engine/storage/journal_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using engine::Database;
namespace fs = std::filesystem;

// A payment in miniature: debts lowered, a balance row changed, document lines added.
void createLedger(Database& db) {
  db.execute(R"(CREATE TABLE "Datorii.dbf" (IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), SUMA DECIMAL(6,0)))");
  db.execute(R"(CREATE TABLE "SoldCalc.dbf" (IDGOS DECIMAL(10,0), REST DECIMAL(6,0)))");
  db.execute(R"(CREATE TABLE "Chitante.dbf" (IDCHIT DECIMAL(10,0), IDGOS DECIMAL(10,0), TOTAL DECIMAL(6,0)))");
  for (int i = 1; i <= 20; ++i)
    db.execute("INSERT INTO \"Datorii.dbf\" VALUES (" + std::to_string(i) + ", " + std::to_string(i % 4) + ", 100)");
  for (int g = 0; g < 4; ++g) db.execute("INSERT INTO \"SoldCalc.dbf\" VALUES (" + std::to_string(g) + ", 500)");
}

void pay(Database& db) {
  db.execute(R"(UPDATE "Datorii.dbf" SET SUMA=SUMA-40 WHERE IDGOS=1)");
  db.execute(R"(UPDATE "SoldCalc.dbf" SET REST=REST-200 WHERE IDGOS=1)");
  for (int i = 1; i <= 5; ++i)
    db.execute("INSERT INTO \"Chitante.dbf\" VALUES (" + std::to_string(i) + ", 1, 40)");
}

std::string state(Database& db) {
  return sqltest::run(db, R"(SELECT IDDAT, SUMA FROM "Datorii.dbf" WHERE IDGOS=1)") +
         sqltest::run(db, R"(SELECT IDGOS, REST FROM "SoldCalc.dbf")") +
         sqltest::run(db, R"(SELECT Count(*) AS N, SUM(TOTAL) AS T FROM "Chitante.dbf")");
}

using storagetest::copyDirectory;
using storagetest::killedInChild;
bool pending(const fs::path& dir) { return storagetest::journalPending(dir); }

class JournalTest : public testing::Test {
 protected:
  sqltest::ScratchDir dir;
};

TEST_F(JournalTest, CommitWritesEveryTableAndRollbackNone) {
  std::string before, after;
  {
    Database db(dir.path().string());
    createLedger(db);
    before = state(db);
    {
      engine::Transaction t(db);
      pay(db);
      EXPECT_TRUE(db.inTransaction());
      EXPECT_NE(state(db), before);  // the owner sees its own changes
    }  // not committed: rolled back
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(state(db), before);
    engine::Transaction t(db);
    pay(db);
    after = state(db);
    t.commit();
  }
  EXPECT_NE(after, before);
  Database reopened(dir.path().string());
  EXPECT_EQ(state(reopened), after);
  EXPECT_FALSE(pending(dir.path()));
}

TEST_F(JournalTest, NothingReachesTheFilesBeforeCommit) {
  Database db(dir.path().string());
  createLedger(db);
  const std::string files = storagetest::readBytes(dir.path() / "Datorii.dbf");
  db.begin();
  pay(db);
  EXPECT_EQ(storagetest::readBytes(dir.path() / "Datorii.dbf"), files);
  db.rollback();
  db.rollback();  // a second rollback is harmless
  EXPECT_THROW(db.commit(), engine::Error);
}

TEST_F(JournalTest, AFailedStatementIsUndoneAndTheTransactionGoesOn) {
  Database db(dir.path().string());
  createLedger(db);
  db.begin();
  db.execute(R"(UPDATE "SoldCalc.dbf" SET REST=1 WHERE IDGOS=0)");
  // Fails on its last row (99999900 does not fit DECIMAL(6,0)) after changing the others.
  db.execute(R"(UPDATE "Datorii.dbf" SET SUMA=999999 WHERE IDDAT=20)");
  EXPECT_THROW(db.execute(R"(UPDATE "Datorii.dbf" SET SUMA=SUMA*100)"), engine::Error);
  EXPECT_THROW(db.execute(R"(INSERT INTO "Chitante.dbf" VALUES (1, 1, 123456789))"), engine::Error);
  EXPECT_TRUE(db.inTransaction());
  EXPECT_EQ(sqltest::run(db, R"(SELECT SUM(SUMA) AS S FROM "Datorii.dbf")"), "S\n" + std::to_string(19 * 100 + 999999) + "\n");
  EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Chitante.dbf")"), "N\n0\n");
  db.commit();
  Database reopened(dir.path().string());
  EXPECT_EQ(sqltest::run(reopened, R"(SELECT REST FROM "SoldCalc.dbf" WHERE IDGOS=0)"), "REST\n1\n");
  EXPECT_EQ(sqltest::run(reopened, R"(SELECT SUM(SUMA) AS S FROM "Datorii.dbf")"), "S\n" + std::to_string(19 * 100 + 999999) + "\n");
}

TEST_F(JournalTest, AnIncompleteJournalLeavesTheTablesAlone) {
  std::string files;
  {
    Database db(dir.path().string());
    createLedger(db);
    files = storagetest::readBytes(dir.path() / "Datorii.dbf");
  }
  storagetest::writeBytes(dir.path() / "Dajdor.jnl", "DAJDORJ1\x01\x00\x00\x00\x01");  // cut while written
  Database db(dir.path().string());
  EXPECT_FALSE(pending(dir.path()));
  EXPECT_EQ(storagetest::readBytes(dir.path() / "Datorii.dbf"), files);
}

// A writer killed at every write step of a commit (and again while a later opener
// recovers) leaves, after reopening, either the whole payment or none of it.
TEST_F(JournalTest, KilledAtAnyPointTheTransactionIsAllOrNothing) {
  const fs::path initial = dir.path() / "initial", work = dir.path() / "work";
  fs::create_directories(initial);
  std::string before, after;
  {
    Database db(initial.string());
    createLedger(db);
    before = state(db);
    copyDirectory(initial, work);
    Database scratch(work.string());
    scratch.begin();
    pay(scratch);
    scratch.commit();
    after = state(scratch);
  }
  int crashes = 0;
  for (int step = 1;; ++step) {
    ASSERT_LT(step, 500) << "the commit never finished";
    copyDirectory(initial, work);
    const bool killed = killedInChild([&] {
      Database db(work.string());
      db.begin();
      pay(db);
      engine::io::killAtStep(step);
      db.commit();
    });
    if (!killed) break;
    ++crashes;
    if (pending(work)) {
      // The first opener dies too, half-way through putting things back.
      killedInChild([&] {
        engine::io::killAtStep(3);
        Database db(work.string());
      });
    }
    Database reopened(work.string());
    const std::string seen = state(reopened);
    EXPECT_TRUE(seen == before || seen == after) << "killed at step " << step << ":\n" << seen;
    EXPECT_FALSE(pending(work));
  }
  EXPECT_GT(crashes, 10);
  Database finished(work.string());
  EXPECT_EQ(state(finished), after);
}

TEST_F(JournalTest, AStatementOutsideATransactionIsAtomicToo) {
  fs::create_directories(dir.path() / "initial");
  const fs::path initial = dir.path() / "initial", work = dir.path() / "work";
  {
    Database db(initial.string());
    createLedger(db);
  }
  struct Case {
    const char* statement;
    const char* check;
    std::string before, after;
  };
  const Case cases[] = {
      {R"(UPDATE "Datorii.dbf" SET SUMA=7)", R"(SELECT DISTINCT SUMA FROM "Datorii.dbf")", "SUMA\n100\n", "SUMA\n7\n"},
      // Rows appended to one table: only the old header and size are journalled.
      {R"(INSERT INTO "Chitante.dbf" (IDCHIT, IDGOS, TOTAL) SELECT IDDAT, IDGOS, SUMA FROM "Datorii.dbf")",
       R"(SELECT Count(*) AS N FROM "Chitante.dbf")", "N\n0\n", "N\n20\n"},
  };
  for (const auto& c : cases) {
    for (int step = 1;; ++step) {
      ASSERT_LT(step, 500) << c.statement;
      copyDirectory(initial, work);
      const bool killed = killedInChild([&] {
        Database db(work.string());
        engine::io::killAtStep(step);
        db.execute(c.statement);
      });
      Database reopened(work.string());
      const std::string seen = sqltest::run(reopened, c.check);
      EXPECT_TRUE(seen == c.before || seen == c.after) << c.statement << " step " << step << ": " << seen;
      // What was put back is sound: an append cut short leaves no records past the count.
      EXPECT_NO_THROW(reopened.execute(R"(INSERT INTO "Chitante.dbf" (IDCHIT) VALUES (99))")) << c.statement << " step " << step;
      EXPECT_NO_THROW(reopened.execute(R"(UPDATE "Datorii.dbf" SET SUMA=SUMA WHERE IDDAT=1)")) << c.statement << " step " << step;
      if (!killed) {
        EXPECT_EQ(seen, c.after);
        break;
      }
    }
  }
}

}  // namespace
