// Catalog internals shared by the catalog's source files.
#pragma once

#include "store/engine/storage/file_lock.h"
#include "store/engine/storage/journal.h"
#include "store/engine/storage/table.h"
#include "store/engine/storage/table_state.h"

#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace engine {

struct Catalog::Impl : ChangeObserver {
  Impl(std::string directory, bool scratch);

  std::string directory;
  bool scratch;
  DirectoryLock lock;
  Journal journal;
  Journal kept;  // before-images that could not be put back yet
  std::unordered_map<std::string, std::shared_ptr<Table>> tables;  // by file path
  std::unordered_map<std::string, std::string> resolvedPaths;      // statement text -> file path
  // Tables whose before-image could not be put back (it waits in `kept`), with
  // why and how the path looked then: a change there calls for another try.
  struct Unrecovered {
    std::string reason;
    std::string seen;
  };
  std::unordered_map<std::string, Unrecovered> unrecovered;
  std::chrono::steady_clock::time_point keptTried;

  int statementDepth = 0;
  bool statementWrites = false;
  bool transaction = false;
  std::uint64_t serial = 0;
  std::vector<std::shared_ptr<Table>> touched;  // tables with changes in this unit

  // Before-images of the running statement inside a transaction.
  struct Undo {
    std::shared_ptr<Table> table;
    bool append;
    std::uint32_t rec;  // the record, or the record count before the first append
    std::string bytes;
  };
  std::vector<Undo> undo;
  std::unordered_map<const Table*, std::unordered_set<std::uint32_t>> notedRecords;
  std::unordered_set<const Table*> notedAppends;

  // Cache.
  void readInto(TableState& s);
  std::shared_ptr<Table> load(const std::string& path);
  void validate(Table& table);
  bool readAppended(TableState& s, const FileStamp& now);
  std::string resolveCached(std::string_view text);
  std::shared_ptr<Table> find(std::string_view text);

  // Unit of work.
  void recoverJournal(bool retryKept);
  bool keptWorthRetrying() const;
  void lockFor(bool writes);
  void beginStatement(bool writes);
  void endStatement();
  void abortStatement();
  void requireWriting(const Table& table) const;
  void requireNoTransaction(const std::string& table) const;
  void touch(Table& table);
  void beforeRecordChange(Table& table, std::uint32_t rec) override;
  void beforeAppend(Table& table) override;
  void undoStatement();
  void forgetStatement();
  void discardChanges();
  JournalEntry beforeImage(TableState& s);
  // Writes the table's changes; a journalled unit collects the files to sync in
  // `unsynced` and syncs them together once all are written.
  void apply(TableState& s, std::vector<std::string>* unsynced = nullptr);
  static bool appendsOnly(const TableState& s);
  void appendInPlace(TableState& s);
  void flush();

  // Runs `work` as one writing statement unless one is already running.
  template <class Work>
  void asStatement(Work&& work) {
    if (statementDepth > 0 || transaction) {
      work();
      return;
    }
    beginStatement(true);
    try {
      work();
    } catch (...) {
      abortStatement();
      throw;
    }
    endStatement();
  }
};

}  // namespace engine
