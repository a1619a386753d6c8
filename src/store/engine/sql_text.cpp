// Statement text from values: the only place values are quoted.
#include "store/engine/sql_text.h"

#include <cmath>
#include <cstdio>

namespace engine::sql {

std::string quote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string quoteDate(DayNumber day) { return quote(formatDate(day)); }

std::string number(std::int64_t v) { return std::to_string(v); }

std::string number(double v, int decimals) {
  if (!std::isfinite(v)) return "NULL";
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string out = buf;
  // "-0" and "-0.00" read back as zero but look like a sign error in a statement.
  if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  return out;
}

std::string literal(const Value& v) {
  switch (v.type()) {
    case Value::Type::Null:
      return "NULL";
    case Value::Type::Number:
      return v.toString();
    case Value::Type::Date:
      return quoteDate(v.toDay());
    case Value::Type::Text:
      return quote(v.textRef());
  }
  return "NULL";
}

std::string table(std::string_view path) { return quote(path); }

}  // namespace engine::sql
