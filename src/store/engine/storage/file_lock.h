// Operating-system file locks (flock: held per open file, so two Database
// objects of one process exclude each other like two processes do).
//
// Directory lock: the file "Dajdor.lck" in the data directory. Writers hold it
// exclusively for a whole statement or transaction (including the flush);
// readers hold it shared while they check and re-read cached tables, so they
// never see a half-written record. Waits give up after a while with an Error.
//
// Table lock: every cached table keeps its .dbf open with a shared lock; exclusive
// use (pack, restructure, exclusive cursors) needs the only lock on it.
#pragma once

#include <string>

namespace engine {

class DirectoryLock {
 public:
  enum class Mode { None, Shared, Exclusive };
  explicit DirectoryLock(std::string directory);
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

  // A directory without a usable lock file (read-only, missing) is used unlocked.
  void lock(Mode mode);
  void unlock();
  Mode mode() const { return mode_; }

  static constexpr const char* kFileName = "Dajdor.lck";

 private:
  std::string path_;
  int fd_ = -1;
  Mode mode_ = Mode::None;
};

class TableFileLock {
 public:
  TableFileLock() = default;
  ~TableFileLock();
  TableFileLock(const TableFileLock&) = delete;
  TableFileLock& operator=(const TableFileLock&) = delete;

  // Opens the file and takes a shared lock; throws Error when another program
  // uses the table exclusively.
  void attach(const std::string& path, const std::string& table);
  void detach();
  // Nested: only the first call locks, the last release returns to shared.
  void acquireExclusive(const std::string& table);
  void releaseExclusive();
  bool attached() const { return fd_ >= 0; }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  int exclusiveDepth_ = 0;
};

}  // namespace engine
