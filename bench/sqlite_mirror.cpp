#include "sqlite_mirror.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace bench {
namespace {

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error("SQLite: " + what + ": " + sqlite3_errmsg(db));
}

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
      fail(db, sql);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) fail(db_, sqlite3_sql(stmt_));
    return false;
  }
  void reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  sqlite3_stmt* get() { return stmt_; }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

std::string columnType(const engine::FieldDesc& f) {
  if (f.type == 'N' || f.type == 'F') return f.decimals == 0 ? "INTEGER" : "REAL";
  if (f.type == 'D') return "INTEGER";  // day number
  return "TEXT";
}

void bind(sqlite3_stmt* stmt, int index, const engine::Value& v) {
  switch (v.type()) {
    case engine::Value::Type::Null:
      sqlite3_bind_null(stmt, index);
      break;
    case engine::Value::Type::Date:
      sqlite3_bind_int64(stmt, index, v.toDay());
      break;
    case engine::Value::Type::Number:
      if (v.isExact() && v.scale() == 0)
        sqlite3_bind_int64(stmt, index, v.mantissa());
      else
        sqlite3_bind_double(stmt, index, v.toDouble());
      break;
    case engine::Value::Type::Text:
      sqlite3_bind_text(stmt, index, v.textRef().data(), static_cast<int>(v.textRef().size()), SQLITE_TRANSIENT);
      break;
  }
}

}  // namespace

SqliteDb::SqliteDb(const std::string& file) {
  if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw std::runtime_error("SQLite: cannot open " + file + ": " + message);
  }
}

SqliteDb::~SqliteDb() { sqlite3_close(db_); }

void SqliteDb::exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error("SQLite: " + sql + ": " + message);
  }
}

std::size_t SqliteDb::run(const std::string& sql) {
  Statement stmt(db_, sql);
  std::size_t rows = 0;
  const int columns = sqlite3_column_count(stmt.get());
  std::string text;
  while (stmt.step()) {
    ++rows;
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(stmt.get(), c)) {
        case SQLITE_INTEGER:
          (void)sqlite3_column_int64(stmt.get(), c);
          break;
        case SQLITE_FLOAT:
          (void)sqlite3_column_double(stmt.get(), c);
          break;
        case SQLITE_TEXT:
          text.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), c)),
                      static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), c)));
          break;
        default:
          break;
      }
    }
  }
  return columns == 0 ? static_cast<std::size_t>(sqlite3_changes(db_)) : rows;
}

std::size_t mirrorTable(engine::Database& source, const std::string& file, SqliteDb& target, const std::string& name) {
  const auto fields = source.fields(file);
  std::string create = "CREATE TABLE " + name + " (";
  std::string insert = "INSERT INTO " + name + " VALUES (";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    create += (i ? ", " : "") + fields[i].name + " " + columnType(fields[i]);
    insert += i ? ", ?" : "?";
  }
  target.exec(create + ")");
  target.exec("BEGIN");
  Statement stmt(target.handle(), insert + ")");
  auto cursor = source.openTable(file);
  const std::size_t count = cursor->rowCount();
  for (std::size_t r = 0; r < count; ++r) {
    for (std::size_t c = 0; c < fields.size(); ++c) bind(stmt.get(), static_cast<int>(c + 1), cursor->value(r, c));
    stmt.step();
    stmt.reset();
  }
  target.exec("COMMIT");
  return count;
}

std::size_t consume(const engine::RowSource& rows) {
  std::size_t present = 0;
  for (std::size_t r = 0; r < rows.rowCount(); ++r)
    for (std::size_t c = 0; c < rows.columnCount(); ++c) present += rows.value(r, c).isNull() ? 0 : 1;
  return present;
}

}  // namespace bench
