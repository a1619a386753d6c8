// A1 addresses: column letters and cell names as the spreadsheet programs write
// them. Rows and columns are counted from 1, as in the programs' own interface.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sheet {

// The limits of the XLSX grid.
inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxColumn = 16384;

// "A" → 1, "Z" → 26, "AA" → 27 (letters of either case); nullopt outside the grid.
std::optional<int> columnFromLetters(std::string_view letters);
// 1 → "A", 28 → "AB".
std::string columnLetters(int column);

struct CellAddress {
  int row = 0;
  int column = 0;
};

// "C7" → {7, 3}; "$C$7" is accepted too (the markers are ignored).
std::optional<CellAddress> parseCellAddress(std::string_view text);
std::string cellName(int row, int column);

}  // namespace sheet
