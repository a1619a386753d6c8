// Table paths as statements write them: "\" or "/" separators, any letter case,
// relative to the data directory; ".dbf" is implied when the name has no extension.
#pragma once

#include <string>
#include <string_view>

namespace engine::paths {

// The file on disk that the text names (each component matched without regard to
// case), or the normalised path when no such file exists.
std::string resolve(const std::string& directory, std::string_view text);

// A sibling of `file` with another extension, found without regard to case
// ("Datorii.dbf", ".mdx" -> "Datorii.MDX" when that is what exists).
std::string sibling(const std::string& file, std::string_view extension);

std::string fileName(const std::string& path);
// One spelling per file: symbolic links, "." and ".." and doubled separators
// resolved for the longest existing prefix (so the cache never holds a table twice).
std::string canonical(const std::string& path);
bool isFile(const std::string& path);
// Throws Error unless a new table can be made at `path`: nothing of that name
// exists (no file, folder, FIFO or link), the name is one the file system takes,
// and its folder exists and can be written.
void requireFreeForTable(const std::string& path, const std::string& table);

}  // namespace engine::paths
