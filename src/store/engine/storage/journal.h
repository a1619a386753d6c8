// The rollback journal: before-images of the files one unit of work (a statement,
// or a transaction at commit) is about to change.
//
// File "Dajdor.jnl" in the data directory:
//   "DAJDORJ1", u32 entry count, entries, u64 FNV-1a of all preceding bytes, "END!"
//   entry: u8 kind, u32 path length, path (relative to the data directory when
//          inside it), u64 original size, u32 chunk count, chunks (u64 offset,
//          u32 length, bytes)
//   kinds: 1 patch (write the chunks back, truncate to the original size),
//          2 whole (the chunk is the whole original file), 3 absent (delete the file)
// The journal is synced (with its directory, when the file is new) before any
// table is touched, and cleared (its first bytes zeroed, synced) after every table
// is synced; the file stays for the next unit. A complete journal found later means a
// writer died mid-way: its before-images are put back. An incomplete one means it
// died before touching any table: it is just removed. All under the exclusive
// directory lock.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace engine {

struct JournalEntry {
  enum class Kind : std::uint8_t { Patch = 1, Whole = 2, Absent = 3 };
  Kind kind = Kind::Patch;
  std::string path;  // absolute
  std::uint64_t originalSize = 0;
  std::vector<std::pair<std::uint64_t, std::string>> chunks;
};

class Journal {
 public:
  explicit Journal(std::string directory);
  const std::string& path() const { return path_; }

  // A journal whose unit has not finished (the file itself stays between units).
  bool pending() const;
  void write(const std::vector<JournalEntry>& entries);
  void clear();
  // Restores a leftover journal (see above); true when tables were put back.
  bool recover();

  static constexpr const char* kFileName = "Dajdor.jnl";

 private:
  std::string directory_, path_;
};

}  // namespace engine
