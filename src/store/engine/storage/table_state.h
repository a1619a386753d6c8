// What the storage files know about a cached table (opaque to the SQL side).
#pragma once

#include "store/engine/storage/dbf_format.h"
#include "store/engine/storage/file_lock.h"
#include "store/engine/storage/table.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

// Identity of a file's contents as the file system reports it.
struct FileStamp {
  std::uint64_t device = 0, inode = 0, size = 0;
  std::int64_t mtimeNs = 0, ctimeNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// Receives the first change of each record within a unit of work, so a failed
// statement inside a transaction can be undone (implemented by the catalog).
class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  virtual void beforeRecordChange(Table& table, std::uint32_t rec) = 0;
  virtual void beforeAppend(Table& table) = 0;
};

struct TableState {
  ChangeObserver* observer = nullptr;
  std::string path, name;
  std::string image;  // header + records as on disk, without the end marker
  dbf::Layout layout;
  std::uint32_t count = 0;
  std::string damage;  // why the file was read only partly (writes refused)

  // Disk state as last read or written.
  FileStamp stamp;
  // Header bytes 16..23 on disk: low half counts every write, high half only those
  // that changed existing records (so a reader may just read rows appended since).
  std::uint64_t counter = 0;
  std::uint32_t diskCount = 0;
  std::string diskHeader;     // header bytes as on disk, for the journal
  TableFileLock fileLock;     // shared while cached, exclusive for maintenance

  // Unflushed changes.
  std::vector<std::uint32_t> dirtyList;
  std::vector<bool> dirtyFlag;  // records below diskCount already in dirtyList
  bool rewrite = false;         // layout changed: the whole file is written
  bool created = false;         // no file on disk yet
  bool dropped = false;         // the file goes at the flush
  std::weak_ptr<Table> self;

  // Hash indexes: field -> key -> live records (ascending).
  std::unordered_map<int, std::unordered_map<std::string, std::vector<std::uint32_t>>> indexes;
  std::vector<std::string> declared;

  std::uint64_t rowsVersion = 1, contentVersion = 1;
  // Finer versions for cursors: appends alone let a row list grow in place.
  std::uint64_t reshapeVersion = 1;  // layout, reload, undo, deletions
  std::uint64_t editVersion = 1;     // values changed in place
  std::uint64_t validatedIn = 0;  // statement serial of the last check against the disk

  char* record(std::uint32_t rec) { return image.data() + layout.headerLength + std::size_t(rec) * layout.recordLength; }
  const char* record(std::uint32_t rec) const {
    return image.data() + layout.headerLength + std::size_t(rec) * layout.recordLength;
  }
  bool hasChanges() const { return rewrite || created || !dirtyList.empty() || count != diskCount; }
  void markDirty(std::uint32_t rec);
  void indexRecord(std::uint32_t rec);  // adds a new live record to the built indexes
  void clearChanges();
  // A new layout (and records) replace the old ones in memory.
  void replaceLayout(dbf::Layout newLayout, std::string newImage, std::uint32_t newCount);
};

}  // namespace engine
