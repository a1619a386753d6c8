// Dates in cells are day numbers ("serials") shown through a date format.
// The 1900 system counts from 30 December 1899, which matches the spreadsheet
// programs from 1 March 1900 on (they number a phantom 29 February 1900); the 1904
// system, which a workbook may declare, counts from 1 January 1904.
#pragma once

#include <chrono>

namespace sheet {

double daySerial(std::chrono::year_month_day date, bool system1904 = false);
std::chrono::year_month_day dateFromSerial(double serial, bool system1904 = false);

}  // namespace sheet
