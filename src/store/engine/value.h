// A single SQL value: NULL, number, text or date.
//
// Numbers are exact decimals for the values dBase fields hold and for sums,
// differences and products of them (0.1 + 0.2 is 0.3); a division that does not
// terminate falls back to the nearest double. Text is UTF-8 in memory.
// Dates are whole day numbers counted from 30.12.1899, the same numbers the
// program stores in numeric fields that hold a day.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

using DayNumber = std::int32_t;

// Day number <-> calendar date (proleptic Gregorian). Returns false for invalid dates.
bool dayFromDate(int year, int month, int day, DayNumber& out);
void dateFromDay(DayNumber day, int& year, int& month, int& dayOfMonth);
// "dd.MM.yyyy" (also accepts d.M.yyyy); false when the text is not such a date.
bool parseDate(std::string_view text, DayNumber& out);
std::string formatDate(DayNumber day);  // "dd.MM.yyyy"
// A value's text as quoted in a message: long texts are cut (at a letter boundary)
// and marked with "...", so a huge input never makes a huge message.
std::string messageExcerpt(std::string_view text);

class Value {
 public:
  enum class Type { Null, Number, Text, Date };

  Value() = default;  // NULL
  static Value null() { return Value(); }
  static Value number(double v);
  static Value integer(std::int64_t v);
  // Exact decimal: mantissa * 10^-scale (scale 0..18).
  static Value decimal(std::int64_t mantissa, int scale);
  // Parses "12", "-3.50", "1e3"; returns NULL when the text is not a number.
  static Value parseNumber(std::string_view text);
  static Value text(std::string utf8);
  static Value date(DayNumber day);

  Type type() const { return type_; }
  bool isNull() const { return type_ == Type::Null; }
  bool isNumber() const { return type_ == Type::Number; }
  bool isText() const { return type_ == Type::Text; }
  bool isDate() const { return type_ == Type::Date; }

  // Conversions never throw: NULL gives 0 / "" ; text that is not a number gives 0.
  double toDouble() const;
  std::int64_t toInt() const;           // rounds half away from zero
  DayNumber toDay() const;              // dates, numbers as day numbers, "dd.MM.yyyy" text
  const std::string& textRef() const { return text_; }  // only for Text
  // Display form: numbers in shortest exact decimal ("12", "-3", "1.5"),
  // dates as "dd.MM.yyyy", text without trailing blanks, NULL as "".
  std::string toString() const;

  // Exact decimal parts of a number (valid when isExact()).
  bool isExact() const { return exact_; }
  std::int64_t mantissa() const { return mantissa_; }
  int scale() const { return scale_; }

  // SQL comparison: NULL sorts first; text compares without trailing blanks.
  // Numbers compare with numbers, dates with dates; a date meets text by reading
  // the text as "dd.MM.yyyy". Returns <0, 0, >0.
  static int compare(const Value& a, const Value& b);
  friend bool operator==(const Value& a, const Value& b) { return compare(a, b) == 0; }

 private:
  Type type_ = Type::Null;
  bool exact_ = false;
  std::int64_t mantissa_ = 0;
  int scale_ = 0;
  double real_ = 0;
  DayNumber day_ = 0;
  std::string text_;
};

}  // namespace engine
