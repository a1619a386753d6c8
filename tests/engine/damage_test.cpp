// Damaged tables and journals as an administrator meets them: each is refused
// with a clear message, its bytes stay as they were, and the directory goes on
// serving the other tables.
#include "crash_support.h"
#include "sql_fixture.h"
#include "store/engine/storage/journal_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {

using engine::Database;
using storagetest::readBytes;
using storagetest::writeBytes;
using testing::HasSubstr;
namespace fs = std::filesystem;

// A commune in miniature: 20 taxpayers with 2 debts each.
void createCommune(Database& db) {
  db.execute(R"(CREATE TABLE "Gospodar.dbf" (IDGOS DECIMAL(10,0), NUMEP CHAR(20), SUMA DECIMAL(6,0)))");
  db.execute(R"(CREATE TABLE "Datorii.dbf" (IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), SUMA DECIMAL(6,0)))");
  db.begin();
  for (int i = 1; i <= 20; ++i) {
    const std::string n = std::to_string(i);
    db.execute("INSERT INTO \"Gospodar.dbf\" VALUES (" + n + ", \"Contribuabil " + n + "\", " + n + "0)");
    for (int k = 0; k < 2; ++k)
      db.execute("INSERT INTO \"Datorii.dbf\" VALUES (" + std::to_string(2 * i + k) + ", " + n + ", 100)");
  }
  db.commit();
}

void setLe(std::string& bytes, std::size_t at, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The message of the error `statement` raises ("" when it runs).
std::string refusal(Database& db, const std::string& statement) {
  try {
    if (Database::isQuery(statement)) db.query(statement);
    else db.execute(statement);
  } catch (const engine::Error& e) {
    return e.what();
  }
  return "";
}

class DamageTest : public testing::Test {
 protected:
  void SetUp() override {
    Database db(dir.path().string());
    createCommune(db);
  }
  fs::path file(const char* name) const { return dir.path() / name; }
  // Bytes of Gospodar.dbf changed by `damage`, written back.
  std::string damageGospodar(const std::function<void(std::string&)>& damage) {
    std::string bytes = readBytes(file("Gospodar.dbf"));
    damage(bytes);
    writeBytes(file("Gospodar.dbf"), bytes);
    return bytes;
  }
  // The other table still takes writes and reads.
  void expectOthersServed(Database& db) {
    static int next = 1000;
    const std::string id = std::to_string(++next);
    EXPECT_EQ(db.execute("INSERT INTO \"Datorii.dbf\" VALUES (" + id + ", 5, 7)"), 1);
    EXPECT_EQ(db.execute("UPDATE \"Datorii.dbf\" SET SUMA=SUMA+1 WHERE IDDAT=" + id), 1);
    EXPECT_EQ(sqltest::run(db, "SELECT SUMA FROM \"Datorii.dbf\" WHERE IDDAT=" + id), "SUMA\n8\n");
  }

  sqltest::ScratchDir dir;
  sqltest::ScratchDir other;  // for copies of the directory
};

// A name the file system refuses, or a folder of that name, fails before
// anything is journalled: nothing is pending afterwards.
TEST_F(DamageTest, CreateOntoAnImpossibleNameOrAFolderIsRefusedBeforeTheJournal) {
  fs::create_directory(file("Dosar.dbf"));
  const struct {
    std::string name;
    const char* reason;
  } cases[] = {
      {std::string(252, 'X'), "numele este prea lung"},
      {"Dosar.dbf", "există deja un dosar cu acest nume"},
      {"Lipsa/Tabela.dbf", "dosarul nu există"},
  };
  Database db(dir.path().string());
  for (const auto& c : cases) {
    const std::string message = refusal(db, "CREATE TABLE \"" + c.name + "\" (A DECIMAL(6,0))");
    EXPECT_THAT(message, HasSubstr("nu poate fi creată")) << c.name;
    EXPECT_THAT(message, HasSubstr(c.reason)) << c.name;
    EXPECT_FALSE(storagetest::journalPending(dir.path())) << c.name;
  }
  EXPECT_TRUE(fs::is_directory(file("Dosar.dbf")));
  EXPECT_TRUE(fs::is_empty(file("Dosar.dbf")));
  expectOthersServed(db);
}

// A before-image that cannot be put back (the table became a folder) keeps the
// directory open: the other tables are put back and served, that one is refused
// naming it, and it comes back whole once the obstacle is gone.
TEST_F(DamageTest, ARecoveryStepThatCannotBeAppliedBlocksOnlyItsTable) {
  const fs::path initial = dir.path(), work = other.path() / "work";
  const std::string gospodar = readBytes(file("Gospodar.dbf")), datorii = readBytes(file("Datorii.dbf"));
  // The last write step of a transaction over both tables at which the journal is
  // still pending: the tables are half-written.
  int lastPending = 0;
  for (int step = 1;; ++step) {
    ASSERT_LT(step, 200);
    storagetest::copyDirectory(initial, work);
    const bool killed = storagetest::killedInChild([&] {
      Database db(work.string());
      db.begin();
      db.execute(R"(UPDATE "Gospodar.dbf" SET SUMA=0)");
      db.execute(R"(UPDATE "Datorii.dbf" SET SUMA=0)");
      engine::io::killAtStep(step);
      db.commit();
    });
    if (!killed) break;
    if (storagetest::journalPending(work)) lastPending = step;
  }
  ASSERT_GT(lastPending, 0);
  storagetest::copyDirectory(initial, work);
  storagetest::killedInChild([&] {
    Database db(work.string());
    db.begin();
    db.execute(R"(UPDATE "Gospodar.dbf" SET SUMA=0)");
    db.execute(R"(UPDATE "Datorii.dbf" SET SUMA=0)");
    engine::io::killAtStep(lastPending);
    db.commit();
  });
  fs::rename(work / "Gospodar.dbf", work / "Gospodar.half");
  fs::create_directory(work / "Gospodar.dbf");

  Database db(work.string());
  EXPECT_EQ(readBytes(work / "Datorii.dbf"), datorii);
  const std::string message = refusal(db, R"(SELECT * FROM "Gospodar.dbf")");
  EXPECT_THAT(message, HasSubstr("Gospodar.dbf"));
  EXPECT_THAT(message, HasSubstr("nu a putut fi adusă înapoi"));
  EXPECT_THAT(message, HasSubstr("nu este un fișier obișnuit"));
  EXPECT_EQ(readBytes(work / "Dajdor-rest.jnl").substr(0, 8), "DAJDORJ1");  // its before-image is kept
  expectOthersServed(db);

  fs::remove(work / "Gospodar.dbf");
  fs::rename(work / "Gospodar.half", work / "Gospodar.dbf");
  EXPECT_EQ(sqltest::run(db, R"(SELECT SUM(SUMA) AS S FROM "Gospodar.dbf")"), "S\n2100\n");
  EXPECT_EQ(readBytes(work / "Gospodar.dbf"), gospodar);
  EXPECT_NE(readBytes(work / "Dajdor-rest.jnl").substr(0, 8), "DAJDORJ1");
  EXPECT_FALSE(storagetest::journalPending(work));
}

// Runs `work` in a child; fails the test when it has not ended within 10 s or
// did not end well.
template <class Work>
void endsPromptly(Work&& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    try {
      _exit(work() ? 0 : 1);
    } catch (...) {
      _exit(2);
    }
  }
  int status = 0;
  for (int waited = 0; waited < 1000 && waitpid(pid, &status, WNOHANG) == 0; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (kill(pid, 0) == 0 && waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    ADD_FAILURE() << "still waiting after 10 s";
    return;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

bool isFifo(const fs::path& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// A FIFO named like a table is never opened for writing (which would wait for
// ever under the directory lock) and never deleted, not even by a recovery.
TEST_F(DamageTest, AFifoNamedLikeATableIsRefusedAtOnceAndKept) {
  ASSERT_EQ(::mkfifo(file("Fifo.dbf").c_str(), 0644), 0);
  endsPromptly([&] {
    Database db(dir.path().string());
    bool allRefused = true;
    for (const char* statement : {R"(CREATE TABLE "Fifo.dbf" (A DECIMAL(6,0)))", R"(SELECT * FROM "Fifo.dbf")",
                                  R"(INSERT INTO "Fifo.dbf" VALUES (1))", R"(DROP TABLE "Fifo.dbf")"})
      allRefused = allRefused && !refusal(db, statement).empty();
    return allRefused;
  });
  EXPECT_TRUE(isFifo(file("Fifo.dbf")));
  EXPECT_FALSE(storagetest::journalPending(dir.path()));

  // A creation cut short right after its journal: a FIFO found there later was never ours.
  const fs::path work = other.path() / "work";
  for (int step = 1; step < 20; ++step) {
    fs::remove_all(work);
    fs::create_directories(work);
    storagetest::killedInChild([&] {
      Database db(work.string());
      engine::io::killAtStep(step);
      db.execute(R"(CREATE TABLE "Noua.dbf" (A DECIMAL(6,0)))");
    });
    if (storagetest::journalPending(work)) break;
  }
  ASSERT_TRUE(storagetest::journalPending(work));
  fs::remove(work / "Noua.dbf");
  ASSERT_EQ(::mkfifo((work / "Noua.dbf").c_str(), 0644), 0);
  endsPromptly([&] {
    Database db(work.string());
    return true;
  });
  EXPECT_TRUE(isFifo(work / "Noua.dbf"));
  EXPECT_FALSE(storagetest::journalPending(work));

  Database db(dir.path().string());
  expectOthersServed(db);
}

// A record count that disagrees with the file: read as far as it is sound,
// writes refused naming the table and both counts, the file never shortened.
TEST_F(DamageTest, AWrongRecordCountRefusesWritesAndNeverShortensTheFile) {
  const struct {
    std::uint32_t count;
    const char* seen;
  } cases[] = {{0, "N\n0\n"}, {15, "N\n15\n"}};
  const std::string sound = readBytes(file("Gospodar.dbf"));
  for (const auto& c : cases) {
    const std::string damaged = damageGospodar([&](std::string& b) { setLe(b, 4, c.count, 4); });
    Database db(dir.path().string());
    EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Gospodar.dbf")"), c.seen);
    for (const char* statement : {R"(INSERT INTO "Gospodar.dbf" VALUES (21, "Nou", 1))",
                                  R"(UPDATE "Gospodar.dbf" SET SUMA=1 WHERE IDGOS=5)", R"(DELETE FROM "Gospodar.dbf")"}) {
      const std::string message = refusal(db, statement);
      EXPECT_THAT(message, HasSubstr("Tabela Gospodar.dbf este deteriorată")) << statement;
      EXPECT_THAT(message, HasSubstr("declară " + std::to_string(c.count) + " înregistrări")) << statement;
      EXPECT_THAT(message, HasSubstr("are loc pentru 20")) << statement;
      EXPECT_EQ(readBytes(file("Gospodar.dbf")), damaged) << statement;
    }
    expectOthersServed(db);
    writeBytes(file("Gospodar.dbf"), sound);
  }
}

// The header length must agree with the field descriptors and their terminator;
// zeros between them, as other writers leave, are a known variant. The table is
// larger than 64 KB, so even the largest header length points into its records.
TEST_F(DamageTest, AHeaderLengthThatMissesTheRecordsIsRefused) {
  {
    Database db(dir.path().string());
    db.execute(R"(CREATE TABLE "Mare.dbf" (IDGOS DECIMAL(10,0), NUMEP CHAR(100)))");
    db.execute(R"(INSERT INTO "Mare.dbf" SELECT G.IDGOS, G.NUMEP FROM "Gospodar.dbf" G, "Datorii.dbf" D)");
  }
  const std::string sound = readBytes(file("Mare.dbf"));
  ASSERT_GT(sound.size(), 0xFFFFu);
  const std::uint32_t headerLength = storagetest::le(sound, 8, 2);
  for (const std::uint32_t wrong : {0xFFFFu, headerLength + 1, headerLength - 1}) {
    std::string damaged = sound;
    setLe(damaged, 8, wrong, 2);
    writeBytes(file("Mare.dbf"), damaged);
    Database db(dir.path().string());
    for (const char* statement : {R"(SELECT Count(*) AS N FROM "Mare.dbf")", R"(SELECT * FROM "Mare.dbf" WHERE IDGOS=5)",
                                  R"(INSERT INTO "Mare.dbf" VALUES (21, "Nou"))",
                                  R"(DELETE FROM "Mare.dbf" WHERE IDGOS=5)"}) {
      const std::string message = refusal(db, statement);
      EXPECT_THAT(message, HasSubstr("Tabela Mare.dbf nu poate fi citită")) << wrong << " " << statement;
      EXPECT_THAT(message, HasSubstr("lungimea antetului (" + std::to_string(wrong) + ")")) << statement;
      EXPECT_EQ(readBytes(file("Mare.dbf")), damaged) << statement;
    }
    expectOthersServed(db);
  }

  // One zero byte after the terminator, counted in the header length: read right.
  std::string padded = sound;
  padded.insert(headerLength, 1, '\0');
  setLe(padded, 8, headerLength + 1, 2);
  writeBytes(file("Mare.dbf"), padded);
  Database db(dir.path().string());
  EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Mare.dbf" WHERE IDGOS=5)"), "N\n40\n");
  EXPECT_EQ(db.execute(R"(DELETE FROM "Mare.dbf" WHERE IDGOS=5)"), 40);
  EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Mare.dbf")"), "N\n760\n");
  EXPECT_EQ(readBytes(file("Mare.dbf")).substr(headerLength, 2), std::string("\0 ", 2));
}

// A field of a type the engine cannot interpret is carried byte for byte; a
// write that would rewrite it, or add a record with it, is refused.
TEST_F(DamageTest, AFieldOfUnknownTypeIsNeverRewritten) {
  const std::size_t typeOfSuma = 32 + 2 * 32 + 11;
  const std::string damaged = damageGospodar([&](std::string& b) { b[typeOfSuma] = 'Z'; });
  Database db(dir.path().string());
  for (const char* statement : {R"(UPDATE "Gospodar.dbf" SET SUMA=SUMA+1 WHERE IDGOS=5)",
                                R"(INSERT INTO "Gospodar.dbf" (IDGOS, NUMEP) VALUES (21, "Nou"))"}) {
    const std::string message = refusal(db, statement);
    EXPECT_THAT(message, HasSubstr("Câmpul SUMA al tabelei Gospodar.dbf are tipul „Z”")) << statement;
    EXPECT_THAT(message, HasSubstr("nu îl poate scrie")) << statement;
    EXPECT_EQ(readBytes(file("Gospodar.dbf")), damaged) << statement;
  }
  // The other fields take writes; SUMA's bytes stay as they were.
  EXPECT_EQ(db.execute(R"(UPDATE "Gospodar.dbf" SET NUMEP="Popescu Ion" WHERE IDGOS=5)"), 1);
  const std::string after = readBytes(file("Gospodar.dbf"));
  const std::size_t recordLength = storagetest::le(after, 10, 2), headerLength = storagetest::le(after, 8, 2);
  const std::size_t record5 = headerLength + 4 * recordLength;
  EXPECT_EQ(after.substr(record5 + 1 + 10, 20), "Popescu Ion         ");
  EXPECT_EQ(after.substr(record5 + 1 + 30, 6), damaged.substr(record5 + 1 + 30, 6));
  EXPECT_EQ(after.substr(record5 + 1 + 30, 6), "    50");
  expectOthersServed(db);
}

}  // namespace
