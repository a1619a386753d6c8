// The engine's internal table interface: one dBase table cached in memory
// (Table) and the set of tables a Database works with (Catalog).
//
// For the SQL executor ("sql"), what you may rely on:
// - Values come out of Table::get as Value:
//     C  -> Text, decoded to UTF-8, trailing blanks removed (a blank field is "", not NULL)
//     N/F-> exact decimal Number with the field's decimals; blank -> NULL
//     D  -> Date; blank (or not a valid YYYYMMDD) -> NULL
//     L  -> Text "T"/"F"; blank or '?' -> NULL;  M (memo) -> NULL
// - Table::set / appendRecord accept: NULL (blank field); for C any value (numbers in
//   their shortest form, dates as dd.MM.yyyy); for N numbers, number-like text, dates
//   (as day numbers); for D dates, "dd.MM.yyyy" text, day numbers. A value that does
//   not fit (too wide text, too many digits, a character outside Windows-1250, text
//   that is not a number/date) throws engine::Error naming table, field and value.
//   Numbers are rounded half away from zero to the field's decimals.
// - Every write goes through Table methods (set, appendRecord, markDeleted) or the
//   Catalog's structural operations; never touch files directly.
// - lookup(field, key) returns the live (not deleted) records whose field equals key,
//   ascending; it is a hash index built on the first call and kept up to date by
//   writes. Valid until the next write to the table. A NULL key matches nothing.
// - Database::execute/query wrap each statement in Catalog::beginStatement /
//   endStatement (abortStatement on an exception): the executor does not call them.
//   A failed statement is undone as a whole, also inside a transaction.
// - Catalog::open validates the cache once per statement (a file changed by another
//   process is re-read). The shared_ptr stays valid; the Table is reloaded in place.
// - Structural changes (create, drop, addField, dropField) are refused inside a
//   Database transaction.
// - SqlError's constructor belongs to the SQL side (parser); database.cpp does not
//   define it. database.cpp calls executeStatement/executeQuery of sql/executor.h.
#pragma once

#include "store/engine/database.h"
#include "store/engine/value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace engine {

struct TableState;

class Table {
 public:
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& path() const;  // actual file path on disk
  const std::string& name() const;  // file name, for messages ("Datorii.dbf")

  const std::vector<FieldDesc>& fields() const;
  int fieldIndex(std::string_view name) const;  // case-insensitive, -1 when absent

  std::uint32_t recordCount() const;  // physical records, deleted ones included
  bool isDeleted(std::uint32_t rec) const;

  Value get(std::uint32_t rec, int field) const;
  void set(std::uint32_t rec, int field, const Value& v);
  // Values in field order; missing trailing values are NULL. Returns the record number.
  std::uint32_t appendRecord(const std::vector<Value>& values);
  // Room for `count` more records, so a long run of appends never copies the table.
  void reserveAppends(std::size_t count);
  void markDeleted(std::uint32_t rec);
  // Throws the damage message when the file was read only partly (writes refused).
  void requireSound() const;

  const std::vector<std::uint32_t>& lookup(int field, const Value& key);

  // Fields named by addIndex (kept in a side file next to the table).
  const std::vector<std::string>& declaredIndexes() const;

  // Changes whenever rows appear, disappear or the layout changes (cursors rebuild
  // their row lists); contentVersion() changes on every write.
  std::uint64_t rowsVersion() const;
  std::uint64_t contentVersion() const;

  // Storage internals (opaque outside the storage files).
  explicit Table(std::unique_ptr<TableState> state);
  TableState& state() { return *s_; }
  const TableState& state() const { return *s_; }

 private:
  std::unique_ptr<TableState> s_;
};

// The tables of one Database, the unit-of-work bookkeeping and the locks.
class Catalog {
 public:
  // `scratch`: no journal, disk sync or directory lock (Database::Mode::Scratch).
  explicit Catalog(std::string directory, bool scratch = false);
  ~Catalog();
  Catalog(const Catalog&) = delete;
  Catalog& operator=(const Catalog&) = delete;

  const std::string& directory() const;

  // The quoted path of a statement: relative paths are in the directory; names are
  // found without regard to case, with '\' or '/'. Returns the file on disk, or the
  // normalised path when it does not exist.
  std::string resolve(std::string_view pathText) const;
  bool exists(std::string_view pathText) const;

  // Throws Error when the table is missing or damaged beyond reading.
  std::shared_ptr<Table> open(std::string_view pathText);

  void create(std::string_view pathText, const std::vector<FieldDesc>& fields);
  void drop(std::string_view pathText);
  void addField(std::string_view pathText, const FieldDesc& field);
  void dropField(std::string_view pathText, std::string_view name);
  // Maintenance (need exclusive use of the table).
  void changeField(std::string_view pathText, std::string_view field, const FieldDesc& desc);
  void pack(std::string_view pathText);
  void addIndex(std::string_view pathText, std::string_view field);

  // One statement: `writes` takes the directory's write lock. endStatement makes the
  // statement's writes durable as one unit (at commit inside a transaction).
  void beginStatement(bool writes);
  void endStatement();
  void abortStatement();

  void begin();
  void commit();
  void rollback();
  bool inTransaction() const;

  // Exclusive use of one table for a cursor's life (fails when another program
  // has the table open).
  void acquireExclusive(Table& table);
  void releaseExclusive(Table& table);

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace engine
