// Helpers for tests that kill a writer part-way: a child process per attempt,
// directory copies, and the state of the journal.
#pragma once

#include "dbf_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace storagetest {

// A journal whose unit has not finished (a finished one is kept with its start cleared).
inline bool journalPending(const std::filesystem::path& dir) {
  return readBytes(dir / "Dajdor.jnl").substr(0, 8) == "DAJDORJ1";
}

inline void copyDirectory(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::remove_all(to);
  std::filesystem::create_directories(to);
  for (const auto& e : std::filesystem::directory_iterator(from))
    std::filesystem::copy_file(e.path(), to / e.path().filename());
}

// Runs `work` in a child process; true when the child was killed (by the fault
// injection), false when it finished.
template <class Work>
bool killedInChild(Work&& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    try {
      work();
    } catch (...) {
      _exit(3);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  return false;
}

}  // namespace storagetest
