// An exclusive operating-system lock on a lock file, held for one scope.
//
// Serialises read-modify-write cycles on a shared file between threads and
// between processes, also on other machines when the folder is a network share
// that supports byte-range locks. The lock file itself stays (removing it would
// race with a process about to lock it).
#pragma once

#include <QString>

namespace dajdor {

class FileLock {
 public:
  // Waits up to `waitMs` for the lock; throws StoreError when the lock file
  // cannot be opened or the lock is not obtained in time.
  explicit FileLock(const QString& lockPath, int waitMs = 10000);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace dajdor
