// The rollback journal: before-images of the files one unit of work (a statement,
// or a transaction at commit) is about to change.
//
// File "Dajdor.jnl" in the data directory:
//   "DAJDORJ1", u32 entry count, entries, u64 FNV-1a of all preceding bytes, "END!"
//   entry: u8 kind, u32 path length, path (relative to the data directory when
//          inside it), u64 original size, u32 chunk count, chunks (u64 offset,
//          u32 length, bytes)
//   kinds: 1 patch (write the chunks back, truncate to the original size),
//          2 whole (the chunk is the whole original file), 3 absent (delete the file
//          when it is a regular file), 4 append (rows added at the end: one chunk,
//          the old first 32 bytes; the new record count follows the original size
//          as a u32. When the file's header already holds the new count the append
//          finished; otherwise the header goes back and the file is cut to its
//          original size)
// The journal is synced (with its directory, when the file is new) before any
// table is touched, and cleared (its first bytes zeroed, synced) after every table
// is synced; the file stays for the next unit. A complete journal found later means a
// writer died mid-way: its before-images are put back. An incomplete one means it
// died before touching any table: it is just removed. All under the exclusive
// directory lock.
//
// A before-image that cannot be put back (the file became a folder, the disk
// refuses the write) moves to a second journal, "Dajdor-rest.jnl", of the same
// layout, and is tried again by every later unit until it is put back; the
// other entries are put back, and the directory goes on serving the other
// tables while "Dajdor.jnl" serves the next units.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace engine {

struct JournalEntry {
  enum class Kind : std::uint8_t { Patch = 1, Whole = 2, Absent = 3, Append = 4 };
  Kind kind = Kind::Patch;
  std::string path;  // absolute
  std::uint64_t originalSize = 0;
  std::uint32_t appendedCount = 0;  // Append: the record count once the rows are in
  // Whole: when true the bytes are read from `path` as the journal is written, so a
  // big table is never held in memory a second time.
  bool fromDisk = false;
  std::vector<std::pair<std::uint64_t, std::string>> chunks;
};

// A before-image that could not be put back.
struct RecoveryFailure {
  std::string path;    // absolute
  std::string reason;  // the system's message
};

class Journal {
 public:
  explicit Journal(std::string directory, const char* fileName = kFileName);
  const std::string& path() const { return path_; }

  // A journal whose unit has not finished (the file itself stays between units).
  bool pending() const;
  void write(const std::vector<JournalEntry>& entries);
  // durable=false leaves the clearing unsynced: only for a journal of appends,
  // whose entries find a finished append and leave it alone.
  void clear(bool durable = true);
  // Restores a leftover journal (see above). Returns the entries that could not
  // be put back: they move to `keepFailed` when given, otherwise they stay, alone,
  // in this journal. Throws only when a journal file cannot be rewritten.
  std::vector<RecoveryFailure> recover(Journal* keepFailed = nullptr);

  static constexpr const char* kFileName = "Dajdor.jnl";
  static constexpr const char* kKeptFileName = "Dajdor-rest.jnl";

 private:
  bool read(std::vector<JournalEntry>& entries) const;
  void replace(const std::vector<JournalEntry>& entries);

  std::string directory_, path_;
};

}  // namespace engine
