// Several programs on one data directory: writers never interleave inside a
// statement or a transaction, readers never see a half-written row.
#include "sql_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using engine::Database;

template <class Work>
pid_t spawn(Work&& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    int code = 0;
    try {
      work();
    } catch (const std::exception& e) {
      fprintf(stderr, "child: %s\n", e.what());
      code = 3;
    }
    _exit(code);
  }
  return pid;
}

bool finished(pid_t pid, int& status) { return waitpid(pid, &status, WNOHANG) == pid; }

class ConcurrencyTest : public testing::Test {
 protected:
  sqltest::ScratchDir dir;
};

TEST_F(ConcurrencyTest, TwoWritersAppendingAThousandRowsEachLeaveTwoThousandSoundRows) {
  {
    Database db(dir.path().string());
    db.execute(R"(CREATE TABLE "Chitante.dbf" (WRITER DECIMAL(2,0), SEQ DECIMAL(6,0), CHECKSUM DECIMAL(8,0), NUMEP CHAR(40)))");
  }
  auto writer = [&](int id) {
    return spawn([&, id] {
      Database db(dir.path().string());
      for (int seq = 0; seq < 1000; ++seq)
        db.execute("INSERT INTO \"Chitante.dbf\" VALUES (" + std::to_string(id) + ", " + std::to_string(seq) + ", " +
                   std::to_string(seq * 7 + id) + ", \"Plătitor " + std::to_string(seq) + "\")");
    });
  };
  const pid_t a = writer(1), b = writer(2);

  // Meanwhile a reader keeps checking that every row it sees is whole.
  Database reader(dir.path().string());
  int statusA = -1, statusB = -1;
  bool doneA = false, doneB = false;
  std::size_t lastCount = 0;
  while (!(doneA && doneB)) {
    auto rows = reader.query(R"(SELECT WRITER, SEQ, CHECKSUM, NUMEP FROM "Chitante.dbf")");
    ASSERT_GE(rows->rowCount(), lastCount);
    lastCount = rows->rowCount();
    for (std::size_t r = 0; r < rows->rowCount(); ++r) {
      const auto seq = rows->value(r, 1).toInt();
      ASSERT_EQ(rows->value(r, 2).toInt(), seq * 7 + rows->value(r, 0).toInt()) << "row " << r;
      ASSERT_EQ(rows->value(r, 3).toString(), "Plătitor " + std::to_string(seq)) << "row " << r;
    }
    doneA = doneA || finished(a, statusA);
    doneB = doneB || finished(b, statusB);
  }
  EXPECT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0);
  EXPECT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0);

  Database db(dir.path().string());
  auto rows = db.query(R"(SELECT WRITER, SEQ, CHECKSUM FROM "Chitante.dbf")");
  ASSERT_EQ(rows->rowCount(), 2000u);
  std::set<std::pair<std::int64_t, std::int64_t>> seen;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const auto w = rows->value(r, 0).toInt(), seq = rows->value(r, 1).toInt();
    EXPECT_EQ(rows->value(r, 2).toInt(), seq * 7 + w);
    seen.emplace(w, seq);
  }
  EXPECT_EQ(seen.size(), 2000u);
}

TEST_F(ConcurrencyTest, TransactionsOfTwoProgramsDoNotInterleave) {
  {
    Database db(dir.path().string());
    db.execute(R"(CREATE TABLE "Contor.dbf" (NUME CHAR(10), VALOARE DECIMAL(8,0)))");
    db.execute(R"(INSERT INTO "Contor.dbf" VALUES ("IDCHIT", 0))");
    db.execute(R"(CREATE TABLE "Chitante.dbf" (IDCHIT DECIMAL(8,0)))");
  }
  // Read the counter, hand out its value, store value + 1: a lost update or a
  // duplicate number would show an interleaving.
  auto worker = [&] {
    return spawn([&] {
      Database db(dir.path().string());
      for (int i = 0; i < 150; ++i) {
        engine::Transaction t(db);
        auto row = db.query(R"(SELECT VALOARE FROM "Contor.dbf" WHERE NUME="IDCHIT")");
        const auto next = row->value(0, 0).toInt();
        db.execute("INSERT INTO \"Chitante.dbf\" VALUES (" + std::to_string(next) + ")");
        db.execute("UPDATE \"Contor.dbf\" SET VALOARE=" + std::to_string(next + 1) + " WHERE NUME=\"IDCHIT\"");
        t.commit();
      }
    });
  };
  const pid_t a = worker(), b = worker();
  int statusA = 0, statusB = 0;
  waitpid(a, &statusA, 0);
  waitpid(b, &statusB, 0);
  EXPECT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0);
  EXPECT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0);
  Database db(dir.path().string());
  EXPECT_EQ(sqltest::run(db, R"(SELECT VALOARE FROM "Contor.dbf")"), "VALOARE\n300\n");
  EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N, Count(DISTINCT IDCHIT) AS D, MAX(IDCHIT) AS M FROM "Chitante.dbf")"),
            "N\tD\tM\n300\t300\t299\n");
}

TEST_F(ConcurrencyTest, AnotherDatabaseOfTheSameProgramIsToldAboutAnOpenTransaction) {
  Database first(dir.path().string());
  first.execute(R"(CREATE TABLE "Log.dbf" (ACTIUNE CHAR(20)))");
  Database second(dir.path().string());
  first.begin();
  first.execute(R"(INSERT INTO "Log.dbf" VALUES ("plata"))");
  // Waiting would never end in a single-threaded program: the answer is immediate.
  try {
    second.execute(R"(INSERT INTO "Log.dbf" VALUES ("alta"))");
    ADD_FAILURE() << "wrote inside another transaction";
  } catch (const engine::Error& e) {
    EXPECT_NE(std::string(e.what()).find("tranzacție"), std::string::npos) << e.what();
  }
  first.commit();
  second.execute(R"(INSERT INTO "Log.dbf" VALUES ("alta"))");
  EXPECT_EQ(sqltest::run(second, R"(SELECT ACTIUNE FROM "Log.dbf")"), "ACTIUNE\nplata\nalta\n");
}

}  // namespace
