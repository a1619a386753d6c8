#include "sheet/day_serial.h"

#include <cmath>

namespace sheet {
namespace {

using namespace std::chrono;

sys_days epoch(bool system1904) {
  return system1904 ? sys_days{year{1904} / January / 1} : sys_days{year{1899} / December / 30};
}

}  // namespace

double daySerial(year_month_day date, bool system1904) {
  return static_cast<double>((sys_days{date} - epoch(system1904)).count());
}

year_month_day dateFromSerial(double serial, bool system1904) {
  return year_month_day{epoch(system1904) + days{static_cast<int>(std::floor(serial))}};
}

}  // namespace sheet
