// Value-level operations of the dialect. Exact decimals stay exact while the
// digits fit in 18 decimals and 64 bits; otherwise the nearest double is used.
#include "store/engine/sql/functions.h"

#include "store/engine/database.h"
#include "store/engine/sql/wide_int.h"

#include <cmath>
#include <functional>
#include <limits>

namespace engine::sqlfn {
namespace {

constexpr int kMaxScale = 18;

Int128 pow10(int n) {
  Int128 r = 1;
  while (n-- > 0) r *= 10;
  return r;
}

bool fitsInt64(Int128 v) {
  return v >= std::numeric_limits<std::int64_t>::min() && v <= std::numeric_limits<std::int64_t>::max();
}

// Number operand of an arithmetic operator: text must read as a number.
Value numeric(const Value& v) {
  if (v.isNumber()) return v;
  if (v.isDate()) return Value::integer(v.toDay());
  Value n = Value::parseNumber(v.textRef());
  if (n.isNull()) throw Error("Valoarea \"" + messageExcerpt(v.toString()) + "\" nu este un numar si nu poate intra intr-un calcul");
  return n;
}

Value exactOrDouble(Int128 mantissa, int scale, double fallback) {
  while (scale > kMaxScale && mantissa % 10 == 0) {
    mantissa /= 10;
    --scale;
  }
  if (scale <= kMaxScale && fitsInt64(mantissa)) return Value::decimal(static_cast<std::int64_t>(mantissa), scale);
  return Value::number(fallback);
}

Value addNumbers(const Value& a, const Value& b, bool subtract) {
  if (a.isExact() && b.isExact()) {
    const int scale = std::max(a.scale(), b.scale());
    const Int128 x = static_cast<Int128>(a.mantissa()) * pow10(scale - a.scale());
    const Int128 y = static_cast<Int128>(b.mantissa()) * pow10(scale - b.scale());
    return exactOrDouble(subtract ? x - y : x + y, scale, subtract ? a.toDouble() - b.toDouble() : a.toDouble() + b.toDouble());
  }
  return Value::number(subtract ? a.toDouble() - b.toDouble() : a.toDouble() + b.toDouble());
}

// UTF-8 decoding tolerant of bad bytes (each stands for itself).
std::size_t charLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

char32_t decode(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const std::size_t n = charLength(lead);
  if (n == 1 || i + n > s.size()) {
    ++i;
    return lead;
  }
  char32_t cp = lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += n;
  return cp;
}

void encode(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Case pairs of the Latin letters Windows-1250 holds (and the comma-below
// Romanian letters): true when `cp` is the upper form of a pair.
bool pairedUpper(char32_t cp, bool& isUpper) {
  if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return isUpper = true;
  if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return !(isUpper = false);
  if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177) || (cp >= 0x218 && cp <= 0x21B)) {
    isUpper = cp % 2 == 0;
    return true;
  }
  if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) {
    isUpper = cp % 2 == 1;
    return true;
  }
  return false;
}

char32_t toUpper(char32_t cp) {
  bool isUpper = false;
  if (!pairedUpper(cp, isUpper) || isUpper) return cp;
  if (cp < 0x100) return cp - 0x20;
  return cp - 1;
}

char32_t toLower(char32_t cp) {
  bool isUpper = false;
  if (!pairedUpper(cp, isUpper) || !isUpper) return cp;
  if (cp < 0x100) return cp + 0x20;
  return cp + 1;
}

std::string mapCase(std::string_view s, char32_t (*map)(char32_t)) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) encode(map(decode(s, i)), out);
  return out;
}

std::string_view trimTrailing(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

Value add(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value();
  if (a.isText() || b.isText()) return concat(a, b);
  if (a.isDate() && b.isDate()) throw Error("Doua date calendaristice nu se pot aduna");
  if (a.isDate()) return Value::date(static_cast<DayNumber>(a.toDay() + b.toInt()));
  if (b.isDate()) return Value::date(static_cast<DayNumber>(b.toDay() + a.toInt()));
  return addNumbers(a, b, false);
}

// A text meeting a date in a subtraction is a date literal when it reads as one.
static Value asDateBeside(const Value& v, const Value& other) {
  DayNumber day = 0;
  if (other.isDate() && v.isText() && parseDate(v.textRef(), day)) return Value::date(day);
  return v;
}

Value subtract(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value();
  const Value x = asDateBeside(a, b), y = asDateBeside(b, a);
  if (x.isDate() && y.isDate()) return Value::integer(static_cast<std::int64_t>(x.toDay()) - y.toDay());
  if (x.isDate()) return Value::date(static_cast<DayNumber>(x.toDay() - numeric(y).toInt()));
  return addNumbers(numeric(x), numeric(y), true);
}

Value multiply(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value();
  const Value x = numeric(a), y = numeric(b);
  if (x.isExact() && y.isExact())
    return exactOrDouble(static_cast<Int128>(x.mantissa()) * y.mantissa(), x.scale() + y.scale(), x.toDouble() * y.toDouble());
  return Value::number(x.toDouble() * y.toDouble());
}

Value divide(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value();
  const Value x = numeric(a), y = numeric(b);
  if (y.toDouble() == 0) throw Error("Impartire la zero");
  if (x.isExact() && y.isExact() && y.scale() == 0 && y.mantissa() != 0 &&
      y.mantissa() != -1 && x.mantissa() % y.mantissa() == 0)
    return Value::decimal(x.mantissa() / y.mantissa(), x.scale());
  // The shortest decimal that reads back as the nearest double.
  return Value::number(x.toDouble() / y.toDouble());
}

Value negate(const Value& a) {
  if (a.isNull()) return Value();
  const Value x = numeric(a);
  if (x.isExact() && x.mantissa() != std::numeric_limits<std::int64_t>::min()) return Value::decimal(-x.mantissa(), x.scale());
  return Value::number(-x.toDouble());
}

// Text as written (a literal keeps its trailing blanks), other values as displayed.
static std::string textOf(const Value& v) { return v.isText() ? v.textRef() : v.toString(); }

Value concat(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return Value();
  return Value::text(textOf(a) + textOf(b));
}

std::optional<int> compare(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return std::nullopt;
  if (a.type() == b.type() || (a.isNumber() && b.isDate()) || (a.isDate() && b.isNumber())) return Value::compare(a, b);
  const Value& text = a.isText() ? a : b;
  const Value& other = a.isText() ? b : a;
  DayNumber day = 0;
  const bool readable = other.isDate() ? parseDate(text.textRef(), day)
                                       : (!Value::parseNumber(text.textRef()).isNull() || parseDate(text.textRef(), day));
  if (!readable) return std::nullopt;
  return Value::compare(a, b);
}

Value compareOp(sqlparse::Op op, const Value& a, const Value& b) {
  const std::optional<int> c = compare(a, b);
  if (!c) return Value();
  using sqlparse::Op;
  switch (op) {
    case Op::Eq:
      return truth(*c == 0);
    case Op::Ne:
      return truth(*c != 0);
    case Op::Lt:
      return truth(*c < 0);
    case Op::Le:
      return truth(*c <= 0);
    case Op::Gt:
      return truth(*c > 0);
    case Op::Ge:
      return truth(*c >= 0);
    default:
      break;
  }
  return Value();
}

Value logicalAnd(const Value& a, const Value& b) {
  if (isFalse(a) || isFalse(b)) return truth(false);
  if (a.isNull() || b.isNull()) return Value();
  return truth(isTrue(a) && isTrue(b));
}

Value logicalOr(const Value& a, const Value& b) {
  if (isTrue(a) || isTrue(b)) return truth(true);
  if (a.isNull() || b.isNull()) return Value();
  return truth(false);
}

Value logicalNot(const Value& a) {
  if (a.isNull()) return Value();
  return truth(!isTrue(a));
}

bool likeMatch(std::string_view text, std::string_view pattern) {
  text = trimTrailing(text);
  pattern = trimTrailing(pattern);
  std::size_t t = 0, p = 0;
  std::size_t starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '%') {
      starP = ++p;
      starT = t;
    } else if (p < pattern.size() && pattern[p] == '_') {
      ++p;
      t += charLength(static_cast<unsigned char>(text[t]));
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP;
      starT += charLength(static_cast<unsigned char>(text[starT]));
      t = starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '%') ++p;
  return p == pattern.size();
}

std::string upperText(std::string_view utf8) { return mapCase(utf8, toUpper); }
std::string lowerText(std::string_view utf8) { return mapCase(utf8, toLower); }

Value upper(const Value& v) { return v.isNull() ? v : Value::text(upperText(textOf(v))); }
Value lower(const Value& v) { return v.isNull() ? v : Value::text(lowerText(textOf(v))); }

Value trim(const Value& v) {
  if (v.isNull()) return v;
  std::string s = v.toString();  // without trailing blanks
  const std::size_t first = s.find_first_not_of(' ');
  return Value::text(first == std::string::npos ? std::string() : s.substr(first));
}

Value substring(const Value& v, const Value& from, const Value* length) {
  if (v.isNull() || from.isNull() || (length && length->isNull())) return Value();
  const std::string s = textOf(v);
  std::int64_t start = from.toInt();
  std::int64_t end = length ? start + length->toInt() : std::numeric_limits<std::int64_t>::max();
  if (start < 1) start = 1;
  std::string out;
  std::int64_t position = 1;
  for (std::size_t i = 0; i < s.size() && position < end; ++position) {
    const std::size_t begin = i;
    decode(s, i);
    if (position >= start) out.append(s, begin, i - begin);
  }
  return Value::text(std::move(out));
}

Value cast(const Value& v, sqlparse::CastType type, int length) {
  if (v.isNull()) return v;
  using sqlparse::CastType;
  switch (type) {
    case CastType::Float:
      if (v.isNumber()) return v;
      if (v.isDate()) return Value::integer(v.toDay());
      return Value::parseNumber(v.textRef());
    case CastType::Integer: {
      const Value n = cast(v, CastType::Float, 0);
      if (n.isNull()) return n;
      if (n.isExact()) {
        std::int64_t unit = 1;
        for (int i = 0; i < n.scale(); ++i) unit *= 10;
        return Value::integer(n.mantissa() / unit);
      }
      return Value::number(std::trunc(n.toDouble()));
    }
    case CastType::Char: {
      const Value text = Value::text(v.toString());
      if (length <= 0) return text;
      const Value count = Value::integer(length);
      return substring(text, Value::integer(1), &count);
    }
    case CastType::Date: {
      if (v.isDate()) return v;
      if (v.isNumber()) return Value::date(static_cast<DayNumber>(v.toInt()));
      DayNumber day = 0;
      return parseDate(v.textRef(), day) ? Value::date(day) : Value();
    }
  }
  return Value();
}

std::size_t hashValue(const Value& v) {
  switch (v.type()) {
    case Value::Type::Null:
      return 0x9e3779b9u;
    case Value::Type::Number:
    case Value::Type::Date: {
      const double d = v.isDate() ? static_cast<double>(v.toDay()) : v.toDouble();
      return std::hash<double>()(d == 0 ? 0.0 : d);
    }
    case Value::Type::Text:
      return std::hash<std::string_view>()(trimTrailing(v.textRef()));
  }
  return 0;
}

}  // namespace engine::sqlfn
