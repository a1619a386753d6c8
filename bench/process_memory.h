// Resident memory of this process, from /proc/self/status (Linux).
#pragma once

#include <cstdint>

namespace bench {

struct ProcessMemory {
  std::int64_t residentBytes = 0;  // VmRSS
  std::int64_t peakBytes = 0;      // VmHWM
};

ProcessMemory currentMemory();
// Starts a new peak measurement at the current resident size; false when the
// kernel does not allow it (the peak then counts from the start of the process).
bool resetPeakMemory();

}  // namespace bench
