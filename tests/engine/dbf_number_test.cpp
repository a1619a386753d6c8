#include "store/engine/storage/dbf_number.h"

#include <gtest/gtest.h>

namespace {

using engine::Value;

TEST(DbfNumberTest, FixedTextRoundsHalfAwayFromZeroToTheFieldDecimals) {
  struct Case {
    Value value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {Value::integer(12), 0, "12"},
      {Value::integer(-3), 2, "-3.00"},
      {Value::decimal(25, 1), 0, "3"},        // 2.5
      {Value::decimal(-25, 1), 0, "-3"},      // -2.5
      {Value::decimal(249, 2), 0, "2"},       // 2.49
      {Value::decimal(1005, 3), 2, "1.01"},   // exact 1.005, not the binary 1.00499...
      {Value::number(2.675), 2, "2.68"},      // the double nearest 2.675 is read as written
      {Value::decimal(-4, 3), 2, "0.00"},     // no negative zero
      {Value::decimal(99995, 4), 3, "10.000"},
      {Value::number(0.1 + 0.2), 4, "0.3000"},
      {Value::integer(999999), 0, "999999"},
  };
  for (const auto& c : cases) {
    std::string out;
    ASSERT_TRUE(engine::dbf::fixedText(c.value, c.decimals, out)) << c.text;
    EXPECT_EQ(out, c.text);
  }
  std::string out;
  EXPECT_FALSE(engine::dbf::fixedText(Value::text("12"), 0, out));
  EXPECT_FALSE(engine::dbf::fixedText(Value(), 0, out));
}

TEST(DbfNumberTest, CanonicalFormMakesEqualNumbersEqualTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"  012.50", "12.5"}, {"-0.00", "0"}, {"7", "7"}, {"   -3.10", "-3.1"}, {".5", "0.5"}, {"100", "100"},
  };
  for (const auto& [text, canonical] : cases) {
    std::string out;
    ASSERT_TRUE(engine::dbf::canonicalNumber(text, out)) << text;
    EXPECT_EQ(out, canonical) << text;
  }
  std::string out;
  for (const char* bad : {"", "  ", "1.2.3", "12a", "*****", "-"}) EXPECT_FALSE(engine::dbf::canonicalNumber(bad, out)) << bad;
}

TEST(DbfNumberTest, StoredNumbersReadExactlyAndBlanksAsNull) {
  EXPECT_TRUE(engine::dbf::parseStoredNumber("      ").isNull());
  EXPECT_TRUE(engine::dbf::parseStoredNumber("******").isNull());
  EXPECT_EQ(engine::dbf::parseStoredNumber("  12.50").toString(), "12.5");
  EXPECT_EQ(engine::dbf::parseStoredNumber("    -7").toString(), "-7");
  EXPECT_EQ(engine::dbf::parseStoredNumber(" 1.5E+03").toString(), "1500");
  const Value v = engine::dbf::parseStoredNumber("0.10");
  EXPECT_EQ(Value::compare(v, Value::decimal(1, 1)), 0);
}

}  // namespace
