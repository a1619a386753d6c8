#include "file_lock.h"

#include "database.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
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

}  // namespace

DirectoryLock::DirectoryLock(std::string directory) : path_(std::move(directory) + "/" + kFileName) {}

DirectoryLock::~DirectoryLock() {
  if (fd_ >= 0) close(fd_);
}

void DirectoryLock::lock(Mode mode) {
  if (fd_ < 0) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
      mode_ = mode;
      return;
    }
  }
  if (!lockWithPatience(fd_, mode == Mode::Exclusive ? LOCK_EX : LOCK_SH))
    throw Error("Datele sunt folosite de alt program care nu le eliberează; încercați din nou mai târziu.");
  mode_ = mode;
}

void DirectoryLock::unlock() {
  if (fd_ >= 0 && mode_ != Mode::None) flock(fd_, LOCK_UN);
  mode_ = Mode::None;
}

TableFileLock::~TableFileLock() { detach(); }

void TableFileLock::attach(const std::string& path, const std::string& table) {
  detach();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
