#include "identity_codes.h"

#include <cstdio>

namespace gencommune {

std::string makeCnp(int sexDigit, int year, int month, int day, int county, int serial) {
  char digits[40];
  std::snprintf(digits, sizeof digits, "%d%02d%02d%02d%02d%03d", sexDigit % 10, year % 100, month % 100, day % 100,
                county % 100, serial % 1000);
  static constexpr char kKey[] = "279146358279";
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += (digits[i] - '0') * (kKey[i] - '0');
  int control = sum % 11;
  if (control == 10) control = 1;
  return std::string(digits, 12) + static_cast<char>('0' + control);
}

std::string makeCui(std::uint32_t body) {
  const std::string text = std::to_string(body);
  // The control is computed on the code left-padded to ten digits.
  const std::string padded = std::string(9 - text.size(), '0') + text;
  static constexpr char kKey[] = "753217532";
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (padded[i] - '0') * (kKey[i] - '0');
  return text + static_cast<char>('0' + (sum * 10 % 11) % 10);
}

}  // namespace gencommune
