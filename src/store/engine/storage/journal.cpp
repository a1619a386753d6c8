#include "store/engine/storage/journal.h"

#include "store/engine/database.h"
#include "store/engine/storage/journal_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {
namespace {

constexpr char kMagic[] = "DAJDORJ1";
constexpr char kTrailer[] = "END!";

constexpr std::uint64_t kFnvStart = 1469598103934665603ULL;

std::uint64_t fnv1a(std::string_view bytes, std::uint64_t h = kFnvStart) {
  for (char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

void put(std::string& out, std::uint64_t v, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Writes the journal in blocks, hashing as it goes: a whole-file before-image
// passes through a small buffer instead of being held in memory.
class BlockWriter {
 public:
  BlockWriter(int fd, const std::string& path) : fd_(fd), path_(path) {}
  void add(std::string_view bytes) {
    hash_ = fnv1a(bytes, hash_);
    buffer_.append(bytes);
    if (buffer_.size() >= kBlock) flush();
  }
  void number(std::uint64_t v, int width) {
    std::string bytes;
    put(bytes, v, width);
    add(bytes);
  }
  void finish() {
    const std::uint64_t sum = hash_;
    put(buffer_, sum, 8);
    buffer_ += kTrailer;
    flush();
    io::truncateTo(fd_, offset_, path_);
  }

 private:
  static constexpr std::size_t kBlock = 1 << 20;
  void flush() {
    if (buffer_.empty()) return;
    io::writeAt(fd_, offset_, buffer_, path_);
    offset_ += buffer_.size();
    buffer_.clear();
  }
  int fd_;
  const std::string& path_;
  std::string buffer_;
  std::uint64_t offset_ = 0;
  std::uint64_t hash_ = kFnvStart;
};

// Copies the current bytes of a table into the journal; they must still be the
// `size` bytes the entry was made for.
void copyFile(BlockWriter& out, const JournalEntry& e) {
  const int fd = io::openRegular(e.path, O_RDONLY);
  if (fd < 0) throw Error("Fișierul " + e.path + " nu poate fi citit pentru jurnal.");
  std::string block(1 << 20, '\0');
  std::uint64_t done = 0;
  while (done < e.originalSize) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), e.originalSize - done));
    const ssize_t n = ::pread(fd, block.data(), want, static_cast<off_t>(done));
    if (n <= 0) break;
    out.add(std::string_view(block.data(), static_cast<std::size_t>(n)));
    done += static_cast<std::uint64_t>(n);
  }
  ::close(fd);
  if (done != e.originalSize) throw Error("Fișierul " + e.path + " s-a schimbat în timp ce era copiat în jurnal.");
}

// Bounds-checked reader over the journal bytes.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool number(std::uint64_t& v, int width) {
    if (at_ + static_cast<std::size_t>(width) > bytes_.size()) return false;
    v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes_[at_ + static_cast<std::size_t>(i)]);
    at_ += static_cast<std::size_t>(width);
    return true;
  }
  bool text(std::string& out, std::uint64_t length) {
    if (length > bytes_.size() - at_) return false;
    out.assign(bytes_.substr(at_, length));
    at_ += length;
    return true;
  }
  std::size_t at() const { return at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

bool decodeJournal(std::string_view bytes, std::vector<JournalEntry>& entries) {
  const std::size_t magic = sizeof kMagic - 1, trailer = sizeof kTrailer - 1;
  if (bytes.size() < magic + 4 + 8 + trailer || bytes.substr(0, magic) != kMagic ||
      bytes.substr(bytes.size() - trailer) != kTrailer)
    return false;
  const std::string_view body = bytes.substr(0, bytes.size() - trailer - 8);
  Reader sum(bytes.substr(body.size(), 8));
  std::uint64_t stored = 0;
  if (!sum.number(stored, 8) || stored != fnv1a(body)) return false;
  Reader r(body.substr(magic));
  std::uint64_t count = 0;
  if (!r.number(count, 4)) return false;
  for (std::uint64_t e = 0; e < count; ++e) {
    JournalEntry entry;
    std::uint64_t kind = 0, length = 0, chunks = 0;
    if (!r.number(kind, 1) || kind < 1 || kind > 4 || !r.number(length, 4) || !r.text(entry.path, length) ||
        !r.number(entry.originalSize, 8))
      return false;
    entry.kind = static_cast<JournalEntry::Kind>(kind);
    std::uint64_t appended = 0;
    if (entry.kind == JournalEntry::Kind::Append) {
      if (!r.number(appended, 4)) return false;
      entry.appendedCount = static_cast<std::uint32_t>(appended);
    }
    if (!r.number(chunks, 4)) return false;
    for (std::uint64_t c = 0; c < chunks; ++c) {
      std::uint64_t offset = 0;
      std::string data;
      if (!r.number(offset, 8) || !r.number(length, 4) || !r.text(data, length)) return false;
      entry.chunks.emplace_back(offset, std::move(data));
    }
    entries.push_back(std::move(entry));
  }
  return true;
}

// The record count in a table's header; 0 when it cannot be read.
std::uint32_t recordCountOnDisk(const std::string& path) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  const int fd = io::openRegular(path, O_RDONLY);
  if (fd < 0) return 0;
  const bool read = ::pread(fd, bytes, sizeof bytes, 4) == sizeof bytes;
  ::close(fd);
  if (!read) return 0;
  return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void restore(const JournalEntry& e) {
  if (e.kind == JournalEntry::Kind::Absent) {
    // Only a table of ours can be there; a folder or FIFO of that name was never ours.
    struct stat st {};
    if (::lstat(e.path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) io::removeFile(e.path);
    return;
  }
  // The header with the new count is written last: once it is there, the rows are.
  if (e.kind == JournalEntry::Kind::Append && recordCountOnDisk(e.path) == e.appendedCount) return;
  const int fd = io::openForWrite(e.path, e.kind != JournalEntry::Kind::Append, e.kind == JournalEntry::Kind::Whole);
  try {
    for (const auto& [offset, data] : e.chunks) io::writeAt(fd, offset, data, e.path);
    io::truncateTo(fd, e.originalSize, e.path);
    io::syncFile(fd, e.path);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
}

// The journal's bytes for `entries`, written to `target` and synced.
void writeJournal(const std::string& directory, const std::string& target, const std::vector<JournalEntry>& entries) {
  const int fd = io::openForWrite(target, true, false);
  try {
    BlockWriter out(fd, target);
    out.add(std::string_view(kMagic, sizeof kMagic - 1));
    out.number(entries.size(), 4);
    const std::string prefix = directory + "/";
    for (const auto& e : entries) {
      // Inside the data directory the path is stored relative to it, so another
      // machine that mounts the share elsewhere can still roll back.
      const bool inside = e.path.compare(0, prefix.size(), prefix) == 0;
      const std::string stored = inside ? e.path.substr(prefix.size()) : e.path;
      out.number(static_cast<std::uint8_t>(e.kind), 1);
      out.number(stored.size(), 4);
      out.add(stored);
      out.number(e.originalSize, 8);
      if (e.kind == JournalEntry::Kind::Append) out.number(e.appendedCount, 4);
      if (e.fromDisk) {
        if (e.originalSize > 0xFFFFFFFFULL) throw Error("Fișierul " + e.path + " este prea mare pentru jurnal.");
        out.number(1, 4);
        out.number(0, 8);
        out.number(e.originalSize, 4);
        copyFile(out, e);
        continue;
      }
      out.number(e.chunks.size(), 4);
      for (const auto& [offset, data] : e.chunks) {
        out.number(offset, 8);
        out.number(data.size(), 4);
        out.add(data);
      }
    }
    out.finish();
    io::syncFile(fd, target);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
}

}  // namespace

Journal::Journal(std::string directory, const char* fileName)
    : directory_(std::move(directory)), path_(directory_ + "/" + fileName) {}

bool Journal::pending() const {
  char magic[sizeof kMagic - 1];
  const int fd = io::openRegular(path_, O_RDONLY);
  if (fd < 0) return false;
  const bool found = ::pread(fd, magic, sizeof magic, 0) == sizeof magic &&
                     std::string_view(magic, sizeof magic) == std::string_view(kMagic, sizeof magic);
  ::close(fd);
  return found;
}

void Journal::write(const std::vector<JournalEntry>& entries) {
  // The file is kept between units (only its first bytes are cleared), so a
  // commit costs no directory update once it exists.
  const bool fresh = !io::fileExists(path_);
  writeJournal(directory_, path_, entries);
  if (fresh) io::syncDirectory(directory_);
}

void Journal::clear(bool durable) {
  const int fd = io::openForWrite(path_, false, false);
  try {
    io::writeAt(fd, 0, std::string(sizeof kMagic - 1, '\0'), path_);
    if (durable) io::syncFile(fd, path_);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
}

// The entries of a complete journal file, paths made absolute; false when there
// is none.
bool Journal::read(std::vector<JournalEntry>& entries) const {
  std::string bytes;
  if (!pending() || !io::readFile(path_, bytes) || !decodeJournal(bytes, entries)) return false;
  for (auto& e : entries)
    if (!e.path.empty() && e.path[0] != '/') e.path = directory_ + "/" + e.path;
  return true;
}

// Replaces the file whole (a crash meanwhile leaves the old or the new one).
void Journal::replace(const std::vector<JournalEntry>& entries) {
  const std::string next = path_ + ".tmp";
  writeJournal(directory_, next, entries);
  if (::rename(next.c_str(), path_.c_str()) != 0)
    throw Error("Jurnalul " + path_ + " nu poate fi rescris (" + std::strerror(errno) + ").");
  io::syncDirectory(directory_);
}

std::vector<RecoveryFailure> Journal::recover(Journal* keepFailed) {
  std::vector<RecoveryFailure> failures;
  std::vector<JournalEntry> entries;
  if (!read(entries)) {
    std::string bytes;
    // Cut short while it was written: no table was touched. (One that cannot be
    // read at all is left for a later try.)
    if (pending() && io::readFile(path_, bytes)) clear();
    return failures;
  }
  std::vector<JournalEntry> left;
  for (auto& e : entries) {
    try {
      restore(e);
    } catch (const Error& error) {
      failures.push_back({e.path, error.what()});
      left.push_back(std::move(e));
    }
  }
  if (left.empty()) {
    clear();
  } else if (keepFailed) {
    std::vector<JournalEntry> kept;
    keepFailed->read(kept);
    kept.insert(kept.end(), std::make_move_iterator(left.begin()), std::make_move_iterator(left.end()));
    keepFailed->replace(kept);
    clear();
  } else if (left.size() < entries.size()) {
    replace(left);
  }
  return failures;
}

}  // namespace engine
