// Low-level file writes of the storage layer, each a possible crash point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine::io {

// open(2) of a regular file only, never waiting on a FIFO or a device: -1 with
// errno EINVAL for anything else (a folder, a FIFO, a socket named like a table).
int openRegular(const std::string& path, int flags, unsigned mode = 0666);
// Reads a whole regular file; false when it cannot be opened or read.
bool readFile(const std::string& path, std::string& out);
// pwrite of all bytes; throws Error naming the file on failure.
void writeAt(int fd, std::uint64_t offset, std::string_view bytes, const std::string& path);
void truncateTo(int fd, std::uint64_t size, const std::string& path);
void syncFile(int fd, const std::string& path);  // data and size (fdatasync)
// Syncs several files at once, one thread each, so the file system can commit
// them together instead of one disk flush after the other; one crash point.
// Throws Error naming the first file that failed.
void syncFiles(const std::vector<std::string>& paths);
void syncDirectory(const std::string& directory);
// Opens a regular file for writing (creating when asked); throws Error naming the file.
int openForWrite(const std::string& path, bool create, bool truncate);
void closeFile(int fd);
void removeFile(const std::string& path);
bool fileExists(const std::string& path);

// Fault injection for crash tests: the n-th following write step kills the
// process (as a power cut or `kill -9` would at that point). 0 disarms.
void killAtStep(int n);

}  // namespace engine::io
