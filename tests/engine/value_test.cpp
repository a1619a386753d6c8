// Values: exact decimals and their display, days and dates, ordering.
#include "store/engine/sql/functions.h"
#include "store/engine/value.h"

#include <gtest/gtest.h>

namespace {

using engine::Value;

TEST(Value, NumbersDisplayInShortestExactForm) {
  const struct {
    Value value;
    const char* shown;
  } cases[] = {
      {Value::integer(12), "12"},
      {Value::integer(-3), "-3"},
      {Value::decimal(150, 2), "1.5"},
      {Value::decimal(-5, 3), "-0.005"},
      {Value::parseNumber("  -3.50 "), "-3.5"},
      {Value::parseNumber("1e3"), "1000"},
      {Value::parseNumber("2.5E-2"), "0.025"},
      {Value::number(0.1), "0.1"},
      {Value::number(-0.0), "0"},
      {Value::number(1e300), Value::number(1e300).toString().c_str()},
      {engine::sqlfn::add(Value::number(0.1), Value::number(0.2)), "0.3"},
      {engine::sqlfn::add(Value::parseNumber("0.1"), Value::parseNumber("0.2")), "0.3"},
      {engine::sqlfn::multiply(Value::parseNumber("19.99"), Value::integer(3)), "59.97"},
      {engine::sqlfn::subtract(Value::integer(100), Value::parseNumber("99.99")), "0.01"},
      {engine::sqlfn::divide(Value::integer(10), Value::integer(4)), "2.5"},
      {engine::sqlfn::divide(Value::integer(1), Value::integer(3)), "0.3333333333333333"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.toString(), c.shown);
}

TEST(Value, TextThatIsNotANumberParsesAsNull) {
  for (const char* text : {"", " ", "12A", "1.2.3", "--1", ".", "e5", "1e", "0x10"}) EXPECT_TRUE(Value::parseNumber(text).isNull()) << text;
}

TEST(Value, ToIntRoundsHalvesAwayFromZero) {
  const struct {
    const char* text;
    std::int64_t rounded;
  } cases[] = {{"2.5", 3}, {"-2.5", -3}, {"2.49", 2}, {"-2.49", -2}, {"0.5", 1}, {"7", 7}, {"abc", 0}};
  for (const auto& c : cases) EXPECT_EQ(Value::text(c.text).toInt(), c.rounded) << c.text;
  EXPECT_EQ(Value::number(2.5).toInt(), 3);
  EXPECT_EQ(Value().toInt(), 0);
}

TEST(Value, DatesRoundTripThroughDayNumbers) {
  const struct {
    int y, m, d;
    engine::DayNumber day;
  } cases[] = {{1899, 12, 30, 0}, {1900, 1, 1, 2}, {2014, 3, 1, 41699}, {2016, 2, 29, 42429}, {1902, 9, 26, 1000}};
  for (const auto& c : cases) {
    engine::DayNumber day = -1;
    ASSERT_TRUE(engine::dayFromDate(c.y, c.m, c.d, day));
    EXPECT_EQ(day, c.day);
    int y = 0, m = 0, d = 0;
    engine::dateFromDay(c.day, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
  }
  engine::DayNumber day = 0;
  EXPECT_TRUE(engine::parseDate("1.3.2014", day));
  EXPECT_EQ(engine::formatDate(day), "01.03.2014");
  for (const char* bad : {"29.02.2014", "31.04.2014", "01.13.2014", "1/3/2014", "01.03.14", "01.03.2014x", ""})
    EXPECT_FALSE(engine::parseDate(bad, day)) << bad;
}

TEST(Value, CompareOrdersNullFirstAndMeetsDatesAndTexts) {
  EXPECT_LT(Value::compare(Value(), Value::integer(-5)), 0);
  EXPECT_EQ(Value::compare(Value(), Value()), 0);
  EXPECT_EQ(Value::compare(Value::text("ABC  "), Value::text("ABC")), 0);
  EXPECT_LT(Value::compare(Value::text("ABC"), Value::text("abc")), 0);
  EXPECT_EQ(Value::compare(Value::decimal(10, 1), Value::integer(1)), 0);
  EXPECT_LT(Value::compare(Value::parseNumber("0.1"), Value::number(0.1000001)), 0);
  EXPECT_EQ(Value::compare(Value::date(41699), Value::text("01.03.2014")), 0);
  EXPECT_GT(Value::compare(Value::date(41699), Value::text("28.02.2014")), 0);
  EXPECT_EQ(Value::compare(Value::integer(41699), Value::date(41699)), 0);
}

}  // namespace
