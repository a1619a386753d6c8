#include "store/engine/storage/journal.h"

#include "store/engine/database.h"
#include "store/engine/storage/journal_io.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace engine {
namespace {

constexpr char kMagic[] = "DAJDORJ1";
constexpr char kTrailer[] = "END!";

std::uint64_t fnv1a(std::string_view bytes) {
  std::uint64_t h = 1469598103934665603ULL;
  for (char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

void put(std::string& out, std::uint64_t v, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
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
    if (!r.number(kind, 1) || kind < 1 || kind > 3 || !r.number(length, 4) || !r.text(entry.path, length) ||
        !r.number(entry.originalSize, 8) || !r.number(chunks, 4))
      return false;
    entry.kind = static_cast<JournalEntry::Kind>(kind);
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

void restore(const JournalEntry& e) {
  if (e.kind == JournalEntry::Kind::Absent) {
    io::removeFile(e.path);
    return;
  }
  const int fd = io::openForWrite(e.path, true, e.kind == JournalEntry::Kind::Whole);
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

}  // namespace

Journal::Journal(std::string directory) : directory_(std::move(directory)), path_(directory_ + "/" + kFileName) {}

bool Journal::pending() const {
  char magic[sizeof kMagic - 1];
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool found = ::pread(fd, magic, sizeof magic, 0) == sizeof magic &&
                     std::string_view(magic, sizeof magic) == std::string_view(kMagic, sizeof magic);
  ::close(fd);
  return found;
}

void Journal::write(const std::vector<JournalEntry>& entries) {
  std::string out(kMagic, sizeof kMagic - 1);
  put(out, entries.size(), 4);
  const std::string prefix = directory_ + "/";
  for (const auto& e : entries) {
    // Inside the data directory the path is stored relative to it, so another
    // machine that mounts the share elsewhere can still roll back.
    const bool inside = e.path.compare(0, prefix.size(), prefix) == 0;
    const std::string stored = inside ? e.path.substr(prefix.size()) : e.path;
    put(out, static_cast<std::uint8_t>(e.kind), 1);
    put(out, stored.size(), 4);
    out += stored;
    put(out, e.originalSize, 8);
    put(out, e.chunks.size(), 4);
    for (const auto& [offset, data] : e.chunks) {
      put(out, offset, 8);
      put(out, data.size(), 4);
      out += data;
    }
  }
  put(out, fnv1a(out), 8);
  out += kTrailer;
  // The file is kept between units (only its first bytes are cleared), so a
  // commit costs no directory update once it exists.
  const bool fresh = !io::fileExists(path_);
  const int fd = io::openForWrite(path_, true, false);
  try {
    io::writeAt(fd, 0, out, path_);
    io::truncateTo(fd, out.size(), path_);
    io::syncFile(fd, path_);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
  if (fresh) io::syncDirectory(directory_);
}

void Journal::clear() {
  const int fd = io::openForWrite(path_, false, false);
  try {
    io::writeAt(fd, 0, std::string(sizeof kMagic - 1, '\0'), path_);
    io::syncFile(fd, path_);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
}

bool Journal::recover() {
  std::string bytes;
  if (!pending() || !io::readFile(path_, bytes)) return false;
  std::vector<JournalEntry> entries;
  const bool complete = decodeJournal(bytes, entries);
  if (complete)
    for (auto& e : entries) {
      if (!e.path.empty() && e.path[0] != '/') e.path = directory_ + "/" + e.path;
      restore(e);
    }
  clear();
  return complete;
}

}  // namespace engine
