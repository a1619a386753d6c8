// bench-engine DIR [--samples K] [--inserts N] [--durable D]
//
// Runs the statements the program runs on a data directory (made by
// gen-commune) through the engine and, in the same run and interleaved, the
// same statements on SQLite holding the same rows with indexes on the same
// keys; prints the medians, their ratio and the engine's memory.
//
// DIR is not changed: the benchmark works on a copy in the temporary folder.
// The SQLite reference is a file with its default durable settings (a journal
// and a sync per statement, as the engine does) and a page cache large enough
// to hold it, as the engine holds its tables in memory.
#include "bench_report.h"
#include "process_memory.h"
#include "sqlite_mirror.h"

#include "store/engine/database.h"
#include "store/engine/sql_text.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::Goal;
using bench::Measurement;

struct Options {
  fs::path directory;
  int samples = 1000;
  int inserts = 10000;
  int durable = 100;  // statements synced one by one cost a disk flush each
};

bool parseOptions(int argc, char** argv, Options& options) {
  if (argc < 2) return false;
  options.directory = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (value <= 0) return false;
    if (name == "--samples")
      options.samples = value;
    else if (name == "--inserts")
      options.inserts = value;
    else if (name == "--durable")
      options.durable = value;
    else
      return false;
  }
  return argc % 2 == 0;
}

// Deterministic keys: the same taxpayers and rows on every run.
class Keys {
 public:
  explicit Keys(std::uint64_t seed) : state_(seed) {}
  std::int64_t below(std::int64_t n) {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::int64_t>((z ^ (z >> 31)) % static_cast<std::uint64_t>(n));
  }

 private:
  std::uint64_t state_;
};

double elapsedMicros(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

std::int64_t tableBytes(const fs::path& directory) {
  std::int64_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(directory))
    if (entry.is_regular_file()) bytes += static_cast<std::int64_t>(entry.file_size());
  return bytes;
}

// One statement in both dialects: the engine names tables by quoted file and
// writes dates as "dd.MM.yyyy"; the reference names tables plainly and keeps
// dates as day numbers.
struct StatementPair {
  std::string engine, reference;
};

class Bench {
 public:
  Bench(const Options& options, const fs::path& data, const fs::path& referenceFile)
      : options_(options), data_(data), referenceFile_(referenceFile) {}

  void run() {
    measureMemory();
    buildReference();
    const std::int64_t taxpayers = countRows("Gospodar.dbf");
    const std::int64_t debts = countRows("Datorii.dbf");

    perTaxpayer("Datorii rows of a taxpayer", taxpayers, [](std::int64_t id) {
      return StatementPair{"SELECT * FROM " + engine::sql::table("Datorii.dbf") + " WHERE IDGOS=" + engine::sql::number(id),
                           "SELECT * FROM Datorii WHERE IDGOS=" + std::to_string(id)};
    });
    perTaxpayer("SoldCalc rows of a taxpayer", taxpayers, [](std::int64_t id) {
      return StatementPair{"SELECT * FROM " + engine::sql::table("SoldCalc.dbf") + " WHERE IDGOS=" + engine::sql::number(id),
                           "SELECT * FROM SoldCalc WHERE IDGOS=" + std::to_string(id)};
    });
    perTaxpayer("Chitante lines of a taxpayer, by date", taxpayers, [](std::int64_t id) {
      return StatementPair{"SELECT * FROM " + engine::sql::table("Chitante.dbf") + " WHERE IDGOS=" +
                               engine::sql::number(id) + " ORDER BY DATAI, IDCHIT",
                           "SELECT * FROM Chitante WHERE IDGOS=" + std::to_string(id) + " ORDER BY DATAI, IDCHIT"};
    });
    perTaxpayer("Payment sums of a taxpayer per group", taxpayers, [](std::int64_t id) {
      const std::string body =
          "SUM(RESTANTA) AS TREST, SUM(MAJOREST) AS TMAJORREST, SUM(DEPOZIT) AS TDEPOZIT, SUM(CURENT) AS TCURENT, "
          "SUM(MAJOR) AS TMAJOR, SUM(REDUCERE) AS TREDUCERE FROM ";
      const std::string where = " WHERE IDGOS=" + std::to_string(id) +
                                " AND (GRUPA=\"Impozit pe cladiri\" OR GRUPA=\"Impozit pe teren intravilan\""
                                " OR GRUPA=\"Impozit pe teren extravilan\" OR GRUPA=\"Impozit pe mijloace de transport\")"
                                " GROUP BY GRUPA";
      std::string reference = "SELECT GRUPA, " + body + "Chitante" + where;
      for (auto& c : reference)
        if (c == '"') c = '\'';
      return StatementPair{"SELECT GRUPA, " + body + engine::sql::table("Chitante.dbf") + where, reference};
    });
    const auto update = [](std::int64_t id) {
      const std::string set = " SET SUMA=" + std::to_string(id % 97) + ", REST=" + std::to_string(id % 13) +
                              " WHERE IDDAT=" + std::to_string(id);
      return StatementPair{"UPDATE " + engine::sql::table("Datorii.dbf") + set, "UPDATE Datorii" + set};
    };
    Keys updateKeys(11);
    writes("UPDATE one Datorii row by IDDAT, in a transaction", Goal::PerTaxpayer, options_.samples, Batch::OneTransaction,
           Report::Median, [&](int) { return update(updateKeys.below(debts) + 1); });
    writes("UPDATE one Datorii row by IDDAT, on its own (synced)", Goal::WithinRatio, options_.durable,
           Batch::EachOnItsOwn, Report::Median, [&](int) { return update(updateKeys.below(debts) + 1); });

    wholeTable("Chitante of one month, GROUP BY GRUPA", 12, [](int i) {
      const int month = i % 12 + 1;
      engine::DayNumber first = 0, last = 0;
      engine::dayFromDate(2014, month, 1, first);
      engine::dayFromDate(month == 12 ? 2015 : 2014, month == 12 ? 1 : month + 1, 1, last);
      --last;
      const std::string select = "SELECT GRUPA, COUNT(*) AS NR, SUM(TOTAL) AS TOTAL FROM ";
      return StatementPair{select + engine::sql::table("Chitante.dbf") + " WHERE DATAI>=" + engine::sql::quoteDate(first) +
                               " AND DATAI<=" + engine::sql::quoteDate(last) + " GROUP BY GRUPA",
                           select + "Chitante WHERE DATAI>=" + std::to_string(first) + " AND DATAI<=" +
                               std::to_string(last) + " GROUP BY GRUPA"};
    });
    wholeTable("Gospodar JOIN Datorii ORDER BY SATUL, ROL", 5, [](int) {
      const std::string columns = "SELECT G.SATUL, G.ROL, G.NUMEP, D.GRUPA, D.DENUM, D.SUMA, D.REST FROM ";
      const std::string rest = " ON G.IDGOS=D.IDGOS ORDER BY G.SATUL, G.ROL";
      return StatementPair{columns + engine::sql::table("Gospodar.dbf") + " G JOIN " +
                               engine::sql::table("Datorii.dbf") + " D" + rest,
                           columns + "Gospodar G JOIN Datorii D" + rest};
    });

    std::int64_t nextDebt = debts + 1;
    writes(std::to_string(options_.inserts) + " INSERTs into Datorii, one transaction (total)", Goal::WithinRatio,
           options_.inserts, Batch::OneTransaction, Report::Total, [&](int) { return insertDebt(nextDebt++); });
    writes("INSERT into Datorii, on its own (synced)", Goal::WithinRatio, options_.durable, Batch::EachOnItsOwn,
           Report::Median, [&](int) { return insertDebt(nextDebt++); });
    coldStatement(taxpayers);
    wholeTableWrites();

    bench::printReport(std::cout, "Engine against SQLite, " + std::to_string(taxpayers) + " taxpayers", results_,
                       memory_, bulk_);
  }

 private:
  // The engine's memory for the tables the statements touch: resident growth
  // after one statement of each kind, and the peak while they ran.
  void measureMemory() {
    memory_.fileBytes = tableBytes(data_);
    bench::resetPeakMemory();
    const auto before = bench::currentMemory();
    db_ = std::make_unique<engine::Database>(data_.string());
    for (const char* table : {"Gospodar.dbf", "Datorii.dbf", "SoldCalc.dbf", "Chitante.dbf"})
      bench::consume(*db_->query("SELECT * FROM " + engine::sql::table(table) + " WHERE IDGOS=1"));
    bench::consume(*db_->query("SELECT * FROM " + engine::sql::table("Datorii.dbf") + " WHERE IDDAT=1"));
    bench::consume(*db_->query("SELECT G.SATUL, G.ROL, D.SUMA FROM " + engine::sql::table("Gospodar.dbf") + " G JOIN " +
                               engine::sql::table("Datorii.dbf") + " D ON G.IDGOS=D.IDGOS ORDER BY G.SATUL, G.ROL"));
    const auto after = bench::currentMemory();
    memory_.residentDelta = after.residentBytes - before.residentBytes;
    memory_.peakDelta = after.peakBytes - before.residentBytes;
  }

  // Whole-table copies and updates, as the new-year takeover, the backup and the
  // register import make them.
  void wholeTableWrites() {
    const std::string receipts = engine::sql::table("Chitante.dbf");
    std::string fields;
    for (const engine::FieldDesc& f : db_->fields("Chitante.dbf")) {
      fields += (fields.empty() ? "(" : ", ") + f.name + " ";
      if (f.type == 'C') fields += "CHAR(" + std::to_string(f.length) + ")";
      else if (f.type == 'D') fields += "DATE";
      else fields += "DECIMAL(" + std::to_string(f.length) + "," + std::to_string(f.decimals) + ")";
    }
    db_->execute("CREATE TABLE " + engine::sql::table("ChitCopie.dbf") + " " + fields + ")");
    bulk("INSERT ... SELECT * copying Chitante into a new table", "ChitCopie.dbf",
         "INSERT INTO " + engine::sql::table("ChitCopie.dbf") + " SELECT * FROM " + receipts);
    bulk("UPDATE of every Chitante row", "Chitante.dbf", "UPDATE " + receipts + " SET TOTAL=TOTAL+1");
  }

  void bulk(const std::string& name, const char* file, const std::string& statement) {
    bench::resetPeakMemory();
    const auto before = bench::currentMemory();
    const auto start = std::chrono::steady_clock::now();
    db_->execute(statement);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const auto after = bench::currentMemory();
    bulk_.push_back({name, static_cast<std::int64_t>(fs::file_size(data_ / file)), after.peakBytes - before.residentBytes,
                     took.count()});
  }

  void buildReference() {
    reference_ = std::make_unique<bench::SqliteDb>(referenceFile_.string());
    reference_->exec("PRAGMA cache_size=-4000000");
    for (const char* table : {"Gospodar", "Datorii", "SoldCalc", "Chitante"})
      bench::mirrorTable(*db_, std::string(table) + ".dbf", *reference_, table);
    for (const char* index : {"Gospodar(IDGOS)", "Datorii(IDGOS)", "Datorii(IDDAT)", "SoldCalc(IDGOS)", "Chitante(IDGOS)"}) {
      std::string name = std::string("ix_") + index;
      for (auto& c : name)
        if (c == '(' || c == ')') c = '_';
      reference_->exec("CREATE INDEX " + name + " ON " + index);
    }
    reference_->exec("ANALYZE");
  }

  std::int64_t countRows(const std::string& table) {
    return db_->query("SELECT COUNT(*) AS N FROM " + engine::sql::table(table))->value(0, 0).toInt();
  }

  // Runs both sides of one statement, engine first, and records the times.
  void runPair(const StatementPair& pair, Measurement& m, double& rows) {
    std::size_t engineRows = 0;
    m.engine.micros.push_back(elapsedMicros([&] {
      if (pair.engine.starts_with("SELECT")) {
        auto result = db_->query(pair.engine);
        bench::consume(*result);
        engineRows = result->rowCount();
      } else {
        engineRows = static_cast<std::size_t>(db_->execute(pair.engine));
      }
    }));
    std::size_t referenceRows = 0;
    m.reference.micros.push_back(elapsedMicros([&] { referenceRows = reference_->run(pair.reference); }));
    if (referenceRows != engineRows) ++m.disagreements;
    rows += static_cast<double>(engineRows);
  }

  // One untimed run of both sides: the first use of a key builds the engine's
  // index (the cold case is measured on its own) and grows the heap.
  void warmUp(const StatementPair& pair) {
    Measurement ignored{"", Goal::None};
    double rows = 0;
    runPair(pair, ignored, rows);
  }

  void perTaxpayer(const std::string& name, std::int64_t keyCount, const std::function<StatementPair(std::int64_t)>& make) {
    Measurement m{name, Goal::PerTaxpayer};
    Keys keys(20140101);
    double rows = 0;
    warmUp(make(1));
    for (int i = 0; i < options_.samples; ++i) runPair(make(keys.below(keyCount) + 1), m, rows);
    m.rows = rows / options_.samples;
    results_.push_back(std::move(m));
  }

  void wholeTable(const std::string& name, int runs, const std::function<StatementPair(int)>& make) {
    Measurement m{name, Goal::WithinRatio};
    double rows = 0;
    warmUp(make(0));
    for (int i = 0; i < runs; ++i) runPair(make(i), m, rows);
    m.rows = rows / runs;
    results_.push_back(std::move(m));
  }

  enum class Batch { EachOnItsOwn, OneTransaction };
  enum class Report { Median, Total };

  // Statements that change the tables, each side in its own transaction or
  // each statement on its own (then every statement is synced to disk).
  void writes(const std::string& name, Goal goal, int count, Batch batch, Report report,
              const std::function<StatementPair(int)>& make) {
    Measurement m{name, goal};
    std::unique_ptr<engine::Transaction> transaction;
    const bool grouped = batch == Batch::OneTransaction;
    const double engineBegin = elapsedMicros([&] {
      if (grouped) transaction = std::make_unique<engine::Transaction>(*db_);
    });
    const double referenceBegin = elapsedMicros([&] {
      if (grouped) reference_->exec("BEGIN");
    });
    double rows = 0;
    for (int i = 0; i < count; ++i) runPair(make(i), m, rows);
    const double engineCommit = elapsedMicros([&] {
      if (transaction) transaction->commit();
    });
    const double referenceCommit = elapsedMicros([&] {
      if (grouped) reference_->exec("COMMIT");
    });
    if (report == Report::Total) {
      // What a caller waits for: the whole batch, commit included.
      m.engine.micros = {m.engine.total() + engineBegin + engineCommit};
      m.reference.micros = {m.reference.total() + referenceBegin + referenceCommit};
    }
    m.rows = report == Report::Total ? rows : rows / count;
    results_.push_back(std::move(m));
  }

  // A new debt line of the kind the fines dialog inserts.
  static StatementPair insertDebt(std::int64_t id) {
    engine::DayNumber day = 0;
    engine::dayFromDate(2014, 6, 1, day);
    const std::string columns =
        " (IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, UM, CANT, REDUCP, SCUTIT, TIP, "
        "SUMA2, RESTINI) VALUES (" +
        std::to_string(id) + ", " + std::to_string(id % 1000 + 1) + ", ";
    const std::string tail = ", \"Vârdeni\", \"" + std::to_string(id % 1000 + 1) +
                             "\", \"Taxa pe pasune\", \"Taxa pe pasune\", \"Contract\", 12, 150, 0, 0, \"buc\", 1, 0, 0, "
                             "\"M\", 150, 0)";
    std::string referenceTail = tail;
    for (auto& c : referenceTail)
      if (c == '"') c = '\'';
    return {"INSERT INTO " + engine::sql::table("Datorii.dbf") + columns + engine::sql::quoteDate(day) + tail,
            "INSERT INTO Datorii" + columns + std::to_string(day) + referenceTail};
  }

  // The first statement after opening: the engine reads the table and builds
  // the index it needs; SQLite opens a new connection with an empty cache.
  void coldStatement(std::int64_t taxpayers) {
    Measurement m{"First statement on a cold Datorii (new Database)", Goal::None};
    Keys keys(7);
    double rows = 0;
    for (int i = 0; i < 5; ++i) {
      const std::int64_t id = keys.below(taxpayers) + 1;
      std::size_t found = 0;
      m.engine.micros.push_back(elapsedMicros([&] {
        engine::Database fresh(data_.string());
        auto result = fresh.query("SELECT * FROM " + engine::sql::table("Datorii.dbf") + " WHERE IDGOS=" +
                                  engine::sql::number(id));
        bench::consume(*result);
        found = result->rowCount();
      }));
      m.reference.micros.push_back(elapsedMicros([&] {
        bench::SqliteDb fresh(referenceFile_.string());
        fresh.run("SELECT * FROM Datorii WHERE IDGOS=" + std::to_string(id));
      }));
      rows += static_cast<double>(found);
    }
    m.rows = rows / 5;
    results_.push_back(std::move(m));
  }

  const Options& options_;
  fs::path data_, referenceFile_;
  std::unique_ptr<engine::Database> db_;
  std::unique_ptr<bench::SqliteDb> reference_;
  std::vector<Measurement> results_;
  bench::MemoryFigures memory_;
  std::vector<bench::BulkFigures> bulk_;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options) || !fs::is_directory(options.directory)) {
    std::cerr << "Utilizare: bench-engine DIRECTOR [--samples K] [--inserts N] [--durable D]\n"
                 "  DIRECTOR: un director de date scris de gen-commune (nu este modificat).\n";
    return 2;
  }
  const fs::path work = fs::temp_directory_path() / ("dajdor-bench-" + std::to_string(::getpid()));
  int status = 0;
  try {
    fs::create_directories(work / "data");
    for (const auto& entry : fs::directory_iterator(options.directory))
      if (entry.is_regular_file()) fs::copy_file(entry.path(), work / "data" / entry.path().filename());
    Bench(options, work / "data", work / "reference.sqlite").run();
  } catch (const std::exception& e) {
    std::cerr << "bench-engine: " << e.what() << '\n';
    status = 1;
  }
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return status;
}
