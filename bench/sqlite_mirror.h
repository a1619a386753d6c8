// The reference side of the benchmark: a SQLite database holding the same
// rows as the engine's tables, and a way to run a statement the way the
// engine's callers do (every value of every row read).
#pragma once

#include "store/engine/database.h"

#include <string>

struct sqlite3;

namespace bench {

class SqliteDb {
 public:
  explicit SqliteDb(const std::string& file);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  void exec(const std::string& sql);
  // Runs one statement, reads every column of every row; returns the rows
  // read (or changed, for a statement without result).
  std::size_t run(const std::string& sql);
  sqlite3* handle() { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// Copies one engine table into a new SQLite table of the same name and
// columns: numbers as integers or reals, dates as day numbers, texts as the
// engine returns them. Returns the rows copied.
std::size_t mirrorTable(engine::Database& source, const std::string& file, SqliteDb& target, const std::string& name);

// Reads every value of a result, so lazily built rows are paid for; returns
// the number of values that are not NULL.
std::size_t consume(const engine::RowSource& rows);

}  // namespace bench
