#include "store/engine/storage/file_lock.h"

#include "store/engine/database.h"
#include "store/engine/storage/journal_io.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace engine {
namespace {

// Another writer's statement or transaction normally takes milliseconds; a wait
// this long means the other program is stuck or holds a transaction open.
constexpr auto kLockPatience = std::chrono::seconds(30);

bool lockWithPatience(int fd, int operation) {
  if (flock(fd, operation | LOCK_NB) == 0) return true;
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  auto pause = std::chrono::microseconds(100);
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(pause);
    if (flock(fd, operation | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
  return false;
}

// Exclusive directory locks held in this process, by lock file. Waiting for one
// of them from the same (single) thread could never end.
std::map<std::pair<dev_t, ino_t>, const DirectoryLock*>& heldHere() {
  static std::map<std::pair<dev_t, ino_t>, const DirectoryLock*> held;
  return held;
}

std::pair<dev_t, ino_t> identity(int fd) {
  struct stat st {};
  fstat(fd, &st);
  return {st.st_dev, st.st_ino};
}

}  // namespace

DirectoryLock::DirectoryLock(std::string directory) : path_(std::move(directory) + "/" + kFileName) {}

DirectoryLock::~DirectoryLock() {
  unlock();
  if (fd_ >= 0) close(fd_);
}

void DirectoryLock::lock(Mode mode) {
  if (fd_ < 0) {
    fd_ = io::openRegular(path_, O_RDWR | O_CREAT);
    if (fd_ < 0) fd_ = io::openRegular(path_, O_RDONLY);
    if (fd_ < 0) {
      mode_ = mode;
      return;
    }
  }
  const int operation = mode == Mode::Exclusive ? LOCK_EX : LOCK_SH;
  if (flock(fd_, operation | LOCK_NB) != 0) {
    const auto holder = heldHere().find(identity(fd_));
    if (holder != heldHere().end() && holder->second != this)
      throw Error("Datele sunt blocate de o tranzacție deschisă în acest program pe același director.");
    if (!lockWithPatience(fd_, operation))
      throw Error("Datele sunt folosite de alt program care nu le eliberează; încercați din nou mai târziu.");
  }
  mode_ = mode;
  if (mode == Mode::Exclusive) heldHere()[identity(fd_)] = this;
}

void DirectoryLock::unlock() {
  if (fd_ >= 0 && mode_ != Mode::None) {
    if (mode_ == Mode::Exclusive) heldHere().erase(identity(fd_));
    flock(fd_, LOCK_UN);
  }
  mode_ = Mode::None;
}

TableFileLock::~TableFileLock() { detach(); }

void TableFileLock::attach(const std::string& path, const std::string& table) {
  detach();
  fd_ = io::openRegular(path, O_RDONLY);
  if (fd_ < 0) return;  // unreadable files fail when read, with their own message
  if (flock(fd_, LOCK_SH | LOCK_NB) != 0) {
    close(fd_);
    fd_ = -1;
    throw Error("Tabela " + table + " este folosită exclusiv de alt program.");
  }
}

void TableFileLock::detach() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  exclusiveDepth_ = 0;
}

void TableFileLock::acquireExclusive(const std::string& table) {
  if (exclusiveDepth_ > 0 || fd_ < 0) {
    ++exclusiveDepth_;
    return;
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    flock(fd_, LOCK_SH | LOCK_NB);
    throw Error("Tabela " + table + " este deschisă și de alt program; operația cere folosirea ei exclusivă.");
  }
  ++exclusiveDepth_;
}

void TableFileLock::releaseExclusive() {
  if (exclusiveDepth_ == 0) return;
  if (--exclusiveDepth_ == 0 && fd_ >= 0) flock(fd_, LOCK_SH);
}

}  // namespace engine
