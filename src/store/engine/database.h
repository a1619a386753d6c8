// Public face of the engine: a data directory of dBase tables reached through
// local SQL statements, result sets and table cursors.
//
// Everything above the engine uses only this header, value.h and sql_text.h; the
// dBase storage behind it is an implementation detail (a server backend could
// stand behind the same interface).
//
// Paths: a table is named by a path in double quotes. A path without a directory
// is looked up in the database's directory. Names are matched without regard to
// case and with '\' or '/' as separator ("<dir>\GOSPODAR.dbf" opens Gospodar.dbf).
#pragma once

#include "store/engine/value.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Every engine failure. what() is a complete message for the user.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A SQL statement rejected by the parser or the planner: names where and why.
class SqlError : public Error {
 public:
  SqlError(std::string reason, std::size_t position);
  std::size_t position() const { return position_; }

 private:
  std::size_t position_;
};

// Field layout as dBase keeps it: type 'C', 'N', 'D' (written); 'F', 'L', 'M' read too.
struct FieldDesc {
  std::string name;
  char type = 'C';
  int length = 0;
  int decimals = 0;
};

class ResultSet;
class Cursor;

class Database {
 public:
  // Durable: the town hall's records; every unit is journalled, synced to disk and
  // taken under the directory lock. Scratch: work tables a window builds and
  // throws away (in the program's folder): written in place, with no journal, no
  // disk sync and no directory lock; a crash may leave a torn scratch file.
  enum class Mode { Durable, Scratch };

  // Opens a data directory (created when missing is NOT done here). A leftover
  // transaction journal in it is rolled back first (durable mode only).
  explicit Database(std::string directory, Mode mode = Mode::Durable);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& directory() const;

  // Any statement but SELECT; returns the number of rows affected
  // (0 for CREATE/ALTER/DROP).
  std::int64_t execute(std::string_view sql);
  // A SELECT.
  std::unique_ptr<ResultSet> query(std::string_view sql);
  // True when the statement text starts with SELECT (after blanks and parentheses).
  static bool isQuery(std::string_view sql);

  // Table cursor. `filter` uses the record-filter syntax (NR<>1, (ROL='12'), 'AB*'
  // prefix match, parenthesised conditions joined by AND); empty = none.
  std::unique_ptr<Cursor> openTable(std::string_view path, bool exclusive = false);

  // Table maintenance.
  bool tableExists(std::string_view path) const;
  std::string resolvePath(std::string_view path) const;  // actual file path, or the normalised one when missing
  std::vector<FieldDesc> fields(std::string_view path);
  std::optional<FieldDesc> fieldDesc(std::string_view path, std::string_view field);
  // Restructure one field (name/type/length/decimals changed when non-empty/non-zero),
  // keeping every value; refuses when a value would not fit.
  void changeField(std::string_view path, std::string_view field, const FieldDesc& desc);
  void pack(std::string_view path);  // removes deleted rows; exclusive
  void addIndex(std::string_view path, std::string_view field);  // index named after the field
  static void dropProductionIndex(const std::string& file);  // byte 28 := 0, delete .mdx

  // Transactions across tables (one at a time per Database). Statements outside a
  // transaction are atomic on their own.
  void begin();
  void commit();
  void rollback();
  bool inTransaction() const;

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Rolls back unless commit() was called.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) { db_.begin(); }
  ~Transaction() {
    if (!done_) {
      try {
        db_.rollback();
      } catch (...) {
      }
    }
  }
  void commit() {
    db_.commit();
    done_ = true;
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

 private:
  Database& db_;
  bool done_ = false;
};

// Navigation and field access shared by result sets and cursors.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual std::size_t columnCount() const = 0;
  virtual const std::string& columnName(std::size_t column) const = 0;
  virtual int columnIndex(std::string_view name) const = 0;  // case-insensitive, -1 when absent
  virtual std::size_t rowCount() const = 0;
  virtual Value value(std::size_t row, std::size_t column) const = 0;  // cheap random access

  // Current-row navigation.
  bool isEmpty() const { return rowCount() == 0; }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  std::size_t position() const { return pos_; }
  void first();
  void last();
  void next();
  void prior();
  void moveTo(std::size_t row);
  // First row (from the start) whose fields equal the values (text compared
  // without trailing blanks, case-sensitive). Moves there and returns true.
  bool locate(const std::vector<std::string>& fields, const std::vector<Value>& values);

  // Current row by field name; throws Error for an unknown field.
  Value field(std::string_view name) const;
  std::string asText(std::string_view name) const { return field(name).toString(); }
  std::int64_t asInt(std::string_view name) const { return field(name).toInt(); }
  double asDouble(std::string_view name) const { return field(name).toDouble(); }
  DayNumber asDate(std::string_view name) const { return field(name).toDay(); }

 protected:
  void resetPosition();

  std::size_t pos_ = 0;
  bool eof_ = true;
  bool bof_ = true;
};

// Rows of a SELECT, held in memory in the stated order.
class ResultSet : public RowSource {};

// A live view of one table: rows not marked deleted that pass the filter.
class Cursor : public RowSource {
 public:
  using Bookmark = std::size_t;  // physical record number

  virtual void setFilter(std::string_view filter) = 0;  // "" switches it off
  virtual Bookmark bookmark() const = 0;
  virtual bool gotoBookmark(Bookmark b) = 0;

  // Editing: append() or edit() start a buffer, setField() fills it, post() writes it.
  virtual void append() = 0;
  virtual void edit() = 0;
  virtual void setField(std::string_view name, const Value& v) = 0;
  virtual void post() = 0;
  virtual void cancel() = 0;
  virtual void remove() = 0;  // marks the current row deleted
  virtual void refresh() = 0;  // re-read after another statement changed the table
};

}  // namespace engine
