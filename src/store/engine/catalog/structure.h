// Maintenance helpers that work on a file without a catalog.
#pragma once

#include <string>

namespace engine {

// Byte 28 := 0 and the ".mdx" of the same name deleted; a file that cannot be
// opened is left alone.
void dropProductionIndexOf(const std::string& file);

}  // namespace engine
