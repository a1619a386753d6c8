#include "process_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace bench {

ProcessMemory currentMemory() {
  ProcessMemory m;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    std::istringstream fields(line);
    std::string key;
    std::int64_t kilobytes = 0;
    fields >> key >> kilobytes;
    if (key == "VmRSS:") m.residentBytes = kilobytes * 1024;
    if (key == "VmHWM:") m.peakBytes = kilobytes * 1024;
  }
  return m;
}

bool resetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

}  // namespace bench
