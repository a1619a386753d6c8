#include "sheet/cell_address.h"

#include <charconv>

namespace sheet {

std::optional<int> columnFromLetters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int column = 0;
  for (char c : letters) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return std::nullopt;
    column = column * 26 + (c - 'A' + 1);
  }
  if (column > kMaxColumn) return std::nullopt;
  return column;
}

std::string columnLetters(int column) {
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

std::optional<CellAddress> parseCellAddress(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  const std::size_t lettersStart = i;
  while (i < text.size() && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z'))) ++i;
  const auto column = columnFromLetters(text.substr(lettersStart, i - lettersStart));
  if (!column) return std::nullopt;
  if (i < text.size() && text[i] == '$') ++i;
  if (i == text.size() || text[i] < '1' || text[i] > '9') return std::nullopt;
  int row = 0;
  const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), row);
  if (ec != std::errc() || end != text.data() + text.size() || row > kMaxRow) return std::nullopt;
  return CellAddress{row, *column};
}

std::string cellName(int row, int column) { return columnLetters(column) + std::to_string(row); }

}  // namespace sheet
