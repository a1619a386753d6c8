#include "store/engine/storage/dbf_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace engine::dbf {
namespace {

struct Decimal {
  bool negative = false;
  std::string whole;     // digits before the point
  std::string fraction;  // digits after it
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal: [+-]digits[.digits], at least one digit.
bool parseDecimal(std::string_view s, Decimal& d) {
  s = trim(s);
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    d.negative = s.front() == '-';
    s.remove_prefix(1);
  }
  std::size_t i = 0;
  while (i < s.size() && isDigit(s[i])) d.whole += s[i++];
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) d.fraction += s[i++];
  }
  return i == s.size() && !(d.whole.empty() && d.fraction.empty());
}

bool fromValue(const Value& v, Decimal& d) {
  if (!v.isNumber()) return false;
  if (v.isExact()) {
    const std::int64_t m = v.mantissa();
    d.negative = m < 0;
    const std::uint64_t magnitude = d.negative ? 0 - static_cast<std::uint64_t>(m) : static_cast<std::uint64_t>(m);
    std::string digits = std::to_string(magnitude);
    const auto scale = static_cast<std::size_t>(v.scale() < 0 ? 0 : v.scale());
    if (digits.size() <= scale) digits.insert(0, scale - digits.size() + 1, '0');
    d.whole = digits.substr(0, digits.size() - scale);
    d.fraction = digits.substr(digits.size() - scale);
    return true;
  }
  const double x = v.toDouble();
  if (!std::isfinite(x)) return false;
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  if (res.ec != std::errc()) return false;
  return parseDecimal(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)), d);
}

// Adds one unit in the last place of a digit string.
void increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

std::string stripLeadingZeros(const std::string& s) {
  const auto first = s.find_first_not_of('0');
  return first == std::string::npos ? "0" : s.substr(first);
}

}  // namespace

bool fixedText(const Value& number, int decimals, std::string& out) {
  Decimal d;
  if (!fromValue(number, d)) return false;
  const auto places = static_cast<std::size_t>(decimals < 0 ? 0 : decimals);
  bool roundUp = false;
  if (d.fraction.size() > places) {
    roundUp = d.fraction[places] >= '5';
    d.fraction.resize(places);
  }
  d.fraction.resize(places, '0');
  std::string digits = d.whole + d.fraction;
  if (digits.empty()) digits.push_back('0');
  if (roundUp) increment(digits);
  std::string whole = stripLeadingZeros(digits.substr(0, digits.size() - places));
  const std::string fraction = digits.substr(digits.size() - places);
  const bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
  out.clear();
  if (d.negative && !zero) out += '-';
  out += whole;
  if (places > 0) out += '.', out += fraction;
  return true;
}

bool canonicalNumber(std::string_view text, std::string& out) {
  Decimal d;
  if (!parseDecimal(text, d)) return false;
  std::string whole = stripLeadingZeros(d.whole);
  const auto last = d.fraction.find_last_not_of('0');
  const std::string fraction = last == std::string::npos ? "" : d.fraction.substr(0, last + 1);
  const bool zero = whole == "0" && fraction.empty();
  out.clear();
  if (d.negative && !zero) out += '-';
  out += whole;
  if (!fraction.empty()) out += '.', out += fraction;
  return true;
}

Value parseStoredNumber(std::string_view text) {
  text = trim(text);
  if (text.empty()) return Value();
  Decimal d;
  if (parseDecimal(text, d)) {
    const std::string whole = stripLeadingZeros(d.whole);
    if (whole.size() + d.fraction.size() <= 18 && d.fraction.size() <= 18) {
      std::int64_t m = 0;
      for (char c : whole + d.fraction) m = m * 10 + (c - '0');
      return Value::decimal(d.negative ? -m : m, static_cast<int>(d.fraction.size()));
    }
  }
  // Float fields of other programs may use an exponent; anything else is not a number.
  const std::string copy(text);
  char* end = nullptr;
  const double x = std::strtod(copy.c_str(), &end);
  if (end == copy.c_str() + copy.size() && std::isfinite(x)) return Value::number(x);
  return Value();
}

}  // namespace engine::dbf
