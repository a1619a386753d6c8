// Values: exact decimals where the digits allow it, calendar days, text.
//
// Invariants: an exact number is kept normalised (no trailing zero digits in
// the mantissa while the scale is above 0), so equal exact numbers have equal
// parts; a non-finite double never becomes a Value (it is NULL instead).
#include "store/engine/value.h"

#include "store/engine/sql/wide_int.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace engine {
namespace {

constexpr int kMaxScale = 18;

constexpr std::int64_t kPow10[] = {1,
                                   10,
                                   100,
                                   1000,
                                   10000,
                                   100000,
                                   1000000,
                                   10000000,
                                   100000000,
                                   1000000000,
                                   10000000000,
                                   100000000000,
                                   1000000000000,
                                   10000000000000,
                                   100000000000000,
                                   1000000000000000,
                                   10000000000000000,
                                   100000000000000000,
                                   1000000000000000000};

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

const std::int64_t kEpochShift = daysFromCivil(1899, 12, 30);

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string_view trimTrailingBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Reads 1..maxDigits decimal digits at s[pos]; advances pos.
bool readDigits(std::string_view s, std::size_t& pos, int maxDigits, int& out) {
  int count = 0;
  out = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && count < maxDigits) {
    out = out * 10 + (s[pos] - '0');
    ++pos;
    ++count;
  }
  return count > 0;
}

int sign(long double v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

std::string formatDouble(double v) {
  if (v == 0) return "0";
  char buf[400];
  const auto fmt = std::fabs(v) < 1e21 ? std::chars_format::fixed : std::chars_format::general;
  const auto res = std::to_chars(buf, buf + sizeof buf, v, fmt);
  return std::string(buf, res.ptr);
}

std::string formatExact(std::int64_t mantissa, int scale) {
  const bool negative = mantissa < 0;
  // Magnitude as unsigned so INT64_MIN prints too.
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(mantissa) : static_cast<std::uint64_t>(mantissa);
  std::string digits = std::to_string(magnitude);
  if (scale > 0) {
    if (static_cast<int>(digits.size()) <= scale) digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(scale), 1, '.');
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

bool dayFromDate(int year, int month, int day, DayNumber& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return false;
  out = static_cast<DayNumber>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochShift);
  return true;
}

void dateFromDay(DayNumber dayNumber, int& year, int& month, int& dayOfMonth) {
  const std::int64_t z = static_cast<std::int64_t>(dayNumber) + kEpochShift + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  dayOfMonth = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

bool parseDate(std::string_view text, DayNumber& out) {
  const std::string_view s = trimBlanks(text);
  std::size_t pos = 0;
  int d = 0, m = 0, y = 0;
  if (!readDigits(s, pos, 2, d) || pos >= s.size() || s[pos++] != '.') return false;
  if (!readDigits(s, pos, 2, m) || pos >= s.size() || s[pos++] != '.') return false;
  const std::size_t yearStart = pos;
  if (!readDigits(s, pos, 4, y) || pos != s.size() || pos - yearStart != 4) return false;
  return dayFromDate(y, m, d, out);
}

std::string formatDate(DayNumber day) {
  int y = 0, m = 0, d = 0;
  dateFromDay(day, y, m, d);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
  return buf;
}

std::string messageExcerpt(std::string_view text) {
  constexpr std::size_t kMax = 60;
  if (text.size() <= kMax) return std::string(text);
  std::size_t cut = kMax;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "... (" + std::to_string(text.size()) + " octeti)";
}

Value Value::number(double v) {
  if (!std::isfinite(v)) return Value();
  // The shortest text that reads back as v decides whether it is an exact decimal.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  Value exact = parseNumber(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
  if (exact.isExact()) return exact;
  Value out;
  out.type_ = Type::Number;
  out.real_ = v == 0 ? 0.0 : v;
  return out;
}

Value Value::integer(std::int64_t v) { return decimal(v, 0); }

Value Value::decimal(std::int64_t mantissa, int scale) {
  if (scale < 0 || scale > kMaxScale) return number(static_cast<double>(mantissa) * std::pow(10.0, -scale));
  while (scale > 0 && mantissa % 10 == 0) {
    mantissa /= 10;
    --scale;
  }
  Value out;
  out.type_ = Type::Number;
  out.exact_ = true;
  out.mantissa_ = mantissa;
  out.scale_ = scale;
  out.real_ = static_cast<double>(mantissa) / static_cast<double>(kPow10[scale]);
  return out;
}

Value Value::parseNumber(std::string_view text) {
  const std::string_view s = trimBlanks(text);
  std::size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  UInt128 mantissa = 0;
  bool overflow = false;
  int digits = 0, fraction = 0;
  bool inFraction = false;
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (c == '.' && !inFraction) {
      inFraction = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    ++digits;
    if (mantissa > (static_cast<UInt128>(1) << 100)) {
      overflow = true;
    } else {
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
    }
    if (inFraction) ++fraction;
  }
  if (digits == 0) return Value();
  long exponent = 0;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    bool expNegative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) expNegative = s[pos++] == '-';
    const std::size_t expStart = pos;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && exponent < 100000) exponent = exponent * 10 + (s[pos++] - '0');
    if (pos == expStart) return Value();
    if (expNegative) exponent = -exponent;
  }
  if (pos != s.size()) return Value();

  long scale = fraction - exponent;
  while (!overflow && scale < 0 && mantissa <= (static_cast<UInt128>(1) << 100)) {
    mantissa *= 10;
    ++scale;
  }
  while (!overflow && scale > 0 && mantissa % 10 == 0) {
    mantissa /= 10;
    --scale;
  }
  const auto limit = static_cast<UInt128>(std::numeric_limits<std::int64_t>::max());
  if (!overflow && scale >= 0 && scale <= kMaxScale && mantissa <= limit) {
    const auto m = static_cast<std::int64_t>(mantissa);
    return decimal(negative ? -m : m, static_cast<int>(scale));
  }
  const std::string copy(s);
  const double v = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(v)) return Value();
  Value out;
  out.type_ = Type::Number;
  out.real_ = v;
  return out;
}

Value Value::text(std::string utf8) {
  Value out;
  out.type_ = Type::Text;
  out.text_ = std::move(utf8);
  return out;
}

Value Value::date(DayNumber day) {
  Value out;
  out.type_ = Type::Date;
  out.day_ = day;
  return out;
}

double Value::toDouble() const {
  switch (type_) {
    case Type::Number:
      return real_;
    case Type::Date:
      return day_;
    case Type::Text: {
      const Value n = parseNumber(text_);
      return n.isNull() ? 0.0 : n.real_;
    }
    case Type::Null:
      break;
  }
  return 0.0;
}

std::int64_t Value::toInt() const {
  switch (type_) {
    case Type::Number: {
      if (exact_) {
        if (scale_ == 0) return mantissa_;
        const std::int64_t unit = kPow10[scale_];
        std::int64_t whole = mantissa_ / unit;
        const std::int64_t rest = mantissa_ % unit;
        if (rest * 2 >= unit) ++whole;
        if (rest * 2 <= -unit) --whole;
        return whole;
      }
      constexpr double kLimit = 9.2e18;
      if (real_ >= kLimit) return std::numeric_limits<std::int64_t>::max();
      if (real_ <= -kLimit) return std::numeric_limits<std::int64_t>::min();
      return std::llround(real_);
    }
    case Type::Date:
      return day_;
    case Type::Text:
      return parseNumber(text_).toInt();
    case Type::Null:
      break;
  }
  return 0;
}

DayNumber Value::toDay() const {
  switch (type_) {
    case Type::Date:
      return day_;
    case Type::Number:
      return static_cast<DayNumber>(toInt());
    case Type::Text: {
      DayNumber day = 0;
      return parseDate(text_, day) ? day : 0;
    }
    case Type::Null:
      break;
  }
  return 0;
}

std::string Value::toString() const {
  switch (type_) {
    case Type::Number:
      return exact_ ? formatExact(mantissa_, scale_) : formatDouble(real_);
    case Type::Date:
      return formatDate(day_);
    case Type::Text:
      return std::string(trimTrailingBlanks(text_));
    case Type::Null:
      break;
  }
  return {};
}

namespace {

int typeRank(Value::Type t) {
  switch (t) {
    case Value::Type::Null:
      return 0;
    case Value::Type::Number:
      return 1;
    case Value::Type::Date:
      return 2;
    case Value::Type::Text:
      return 3;
  }
  return 0;
}

int compareNumbers(const Value& a, const Value& b) {
  if (a.isExact() && b.isExact()) {
    Int128 x = a.mantissa();
    Int128 y = b.mantissa();
    for (int s = a.scale(); s < b.scale(); ++s) x *= 10;
    for (int s = b.scale(); s < a.scale(); ++s) y *= 10;
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  return sign(static_cast<long double>(a.toDouble()) - static_cast<long double>(b.toDouble()));
}

int compareTexts(std::string_view a, std::string_view b) {
  a = trimTrailingBlanks(a);
  b = trimTrailingBlanks(b);
  const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  if (c != 0) return c < 0 ? -1 : 1;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

int Value::compare(const Value& a, const Value& b) {
  const Type ta = a.type_, tb = b.type_;
  if (ta == Type::Null || tb == Type::Null) return typeRank(ta) - typeRank(tb) < 0 ? -1 : (ta == tb ? 0 : 1);
  if (ta == tb) {
    switch (ta) {
      case Type::Number:
        return compareNumbers(a, b);
      case Type::Date:
        return a.day_ < b.day_ ? -1 : (a.day_ > b.day_ ? 1 : 0);
      case Type::Text:
        return compareTexts(a.text_, b.text_);
      case Type::Null:
        return 0;
    }
  }
  // Mixed types: a day number meets a date as a number; text is read as the
  // other side's type when it can be, otherwise the type order decides.
  if (ta == Type::Text || tb == Type::Text) {
    const Value& text = ta == Type::Text ? a : b;
    const Value& other = ta == Type::Text ? b : a;
    const int flip = ta == Type::Text ? -1 : 1;
    DayNumber day = 0;
    if (other.type_ == Type::Date && parseDate(text.text_, day)) return flip * compare(other, Value::date(day));
    if (other.type_ == Type::Number) {
      const Value n = parseNumber(text.text_);
      if (!n.isNull()) return flip * compareNumbers(other, n);
      if (parseDate(text.text_, day)) return flip * compareNumbers(other, Value::integer(day));
    }
    return typeRank(ta) < typeRank(tb) ? -1 : 1;
  }
  // Number and date.
  const Value da = ta == Type::Date ? Value::integer(a.day_) : a;
  const Value db = tb == Type::Date ? Value::integer(b.day_) : b;
  return compareNumbers(da, db);
}

}  // namespace engine
