// Advice to the operating system about large in-memory buffers.
#pragma once

#include <cstddef>

namespace engine::memory {

// Asks for huge pages on the whole 2 MB pages inside [data, data + bytes):
// first-touch page faults dominate filling a large fresh buffer (a table's
// image, a big result). Only advice: nothing changes where it is not offered.
void preferHugePages(const void* data, std::size_t bytes);

}  // namespace engine::memory
