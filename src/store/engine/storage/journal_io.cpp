#include "store/engine/storage/journal_io.h"

#include "store/engine/database.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace engine::io {
namespace {

int stepsToKill = 0;

void step() {
  if (stepsToKill > 0 && --stepsToKill == 0) raise(SIGKILL);
}

[[noreturn]] void fail(const std::string& what, const std::string& path) {
  const bool notAFile = what == "open" && (errno == EINVAL || errno == EISDIR);
  const std::string reason = notAFile ? "nu este un fișier obișnuit" : std::strerror(errno);
  throw Error("Scrierea fișierului " + path + " a eșuat (" + what + ": " + reason + ").");
}

}  // namespace

void killAtStep(int n) { stepsToKill = n; }

int openRegular(const std::string& path, int flags, unsigned mode) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, static_cast<mode_t>(mode));
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

bool readFile(const std::string& path, std::string& out) {
  const int fd = openRegular(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0;
  if (ok) {
    out.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (ok && done < out.size()) {
      const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        out.resize(done);  // shrank while reading: what was read is the file
        break;
      }
      done += static_cast<std::size_t>(n);
    }
  }
  ::close(fd);
  return ok;
}

void writeAt(int fd, std::uint64_t offset, std::string_view bytes, const std::string& path) {
  step();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("write", path);
    done += static_cast<std::size_t>(n);
  }
}

void truncateTo(int fd, std::uint64_t size, const std::string& path) {
  step();
  if (::ftruncate(fd, static_cast<off_t>(size)) != 0) fail("truncate", path);
}

void syncFile(int fd, const std::string& path) {
  step();
  if (::fdatasync(fd) != 0) fail("fdatasync", path);
}

void syncFiles(const std::vector<std::string>& paths) {
  step();
  std::vector<int> errors(paths.size(), 0);
  auto syncOne = [&](std::size_t i) {
    const int fd = openRegular(paths[i], O_RDONLY);
    if (fd < 0 || ::fdatasync(fd) != 0) errors[i] = errno;
    if (fd >= 0) ::close(fd);
  };
  std::vector<std::thread> threads;
  for (std::size_t i = 1; i < paths.size(); ++i) threads.emplace_back(syncOne, i);
  if (!paths.empty()) syncOne(0);
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < paths.size(); ++i)
    if (errors[i] != 0) {
      errno = errors[i];
      fail("fdatasync", paths[i]);
    }
}

void syncDirectory(const std::string& directory) {
  step();
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems refuse fsync on directories; nothing more to do then
  ::close(fd);
}

int openForWrite(const std::string& path, bool create, bool truncate) {
  step();
  // Checked before truncating: a folder or FIFO named like a table is never touched.
  const int fd = openRegular(path, O_WRONLY | (create ? O_CREAT : 0));
  if (fd < 0) fail("open", path);
  if (truncate && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    fail("truncate", path);
  }
  return fd;
}

void closeFile(int fd) { ::close(fd); }

void removeFile(const std::string& path) {
  step();
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) fail("unlink", path);
}

}  // namespace engine::io

namespace engine::io {

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace engine::io
