#include "store/file_lock.h"

#include "store/store_error.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace dajdor {
namespace {

// Open-file-description locks belong to the open file, not to the process, so
// two threads of one process exclude each other too; plain POSIX locks are the
// fallback where they are missing.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif

bool tryLock(int fd) {
  struct flock lock;
  std::memset(&lock, 0, sizeof lock);
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return ::fcntl(fd, kSetLock, &lock) == 0;
}

}  // namespace

FileLock::FileLock(const QString& lockPath, int waitMs) {
  const QByteArray name = QFile::encodeName(lockPath);
  fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    throw StoreError(QStringLiteral("Nu pot deschide fisierul de blocare %1:\r%2")
                         .arg(lockPath, QString::fromLocal8Bit(std::strerror(errno))));
  }
  QDeadlineTimer deadline(waitMs);
  while (!tryLock(fd_)) {
    const int error = errno;
    const bool busy = error == EAGAIN || error == EACCES || error == EINTR;
    if (busy && !deadline.hasExpired()) {
      QThread::msleep(2);
      continue;
    }
    ::close(fd_);
    fd_ = -1;
    if (busy) {
      throw StoreError(
          QStringLiteral("Fisierul %1 este blocat de alt program.\rIncercati din nou peste cateva momente.")
              .arg(lockPath));
    }
    throw StoreError(QStringLiteral("Nu pot bloca fisierul %1:\r%2")
                         .arg(lockPath, QString::fromLocal8Bit(std::strerror(error))));
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

}  // namespace dajdor
