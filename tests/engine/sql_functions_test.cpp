// The dialect's operations on single values.
#include "store/engine/database.h"
#include "store/engine/sql/functions.h"

#include <gtest/gtest.h>

namespace {

using engine::Value;
namespace fn = engine::sqlfn;
using engine::sqlparse::CastType;
using engine::sqlparse::Op;

std::string shown(const Value& v) { return v.isNull() ? "NULL" : v.toString(); }

TEST(SqlFunctions, LikeMatchesPercentAndUnderscore) {
  const struct {
    const char* text;
    const char* pattern;
    bool match;
  } cases[] = {
      {"Impozit pe teren intravilan", "Impozit pe teren %", true},
      {"Impozit pe terenuri", "Impozit pe teren %", false},
      {"Impozit pe teren", "Impozit pe teren%", true},
      {"Vehicule lente   ", "Vehicule %", true},
      {"Camion 48 H", "%48 H%", true},
      {"ab", "a_", true},
      {"abc", "a_", false},
      {"șa", "_a", true},
      {"abcabd", "%ab_", true},
      {"ABC", "abc", false},
      {"", "%", true},
  };
  for (const auto& c : cases) EXPECT_EQ(fn::likeMatch(c.text, c.pattern), c.match) << c.text << " LIKE " << c.pattern;
}

TEST(SqlFunctions, ComparisonsWithNullOrUnreadableTextAreUnknown) {
  const struct {
    Value a, b;
    const char* equal;
  } cases[] = {
      {Value(), Value(), "NULL"},
      {Value::integer(1), Value(), "NULL"},
      {Value::text("12"), Value::integer(12), "1"},
      {Value::text(" 12 "), Value::parseNumber("12.0"), "1"},
      {Value::text("12A"), Value::integer(12), "NULL"},
      {Value::text(""), Value::date(41699), "NULL"},
      {Value::text("01.03.2014"), Value::date(41699), "1"},
      {Value::text("01.03.2014"), Value::integer(41699), "1"},
      {Value::text("a "), Value::text("a"), "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(fn::compareOp(Op::Eq, c.a, c.b)), c.equal) << shown(c.a) << " = " << shown(c.b);
}

TEST(SqlFunctions, ThreeValuedLogic) {
  const Value t = fn::truth(true), f = fn::truth(false), u;
  EXPECT_EQ(shown(fn::logicalAnd(u, f)), "0");
  EXPECT_EQ(shown(fn::logicalAnd(u, t)), "NULL");
  EXPECT_EQ(shown(fn::logicalOr(u, t)), "1");
  EXPECT_EQ(shown(fn::logicalOr(u, f)), "NULL");
  EXPECT_EQ(shown(fn::logicalNot(u)), "NULL");
}

TEST(SqlFunctions, CastReadsTextOrGivesNull) {
  const struct {
    Value v;
    CastType type;
    int length;
    const char* result;
  } cases[] = {
      {Value::text("12"), CastType::Float, 0, "12"},
      {Value::text(" 7.50"), CastType::Float, 0, "7.5"},
      {Value::text("12A"), CastType::Float, 0, "NULL"},
      {Value::text(""), CastType::Float, 0, "NULL"},
      {Value::parseNumber("-7.9"), CastType::Integer, 0, "-7"},
      {Value::text("abcdef"), CastType::Char, 3, "abc"},
      {Value::integer(15), CastType::Char, 0, "15"},
      {Value::text("29.02.2016"), CastType::Date, 0, "29.02.2016"},
      {Value::text("30.02.2016"), CastType::Date, 0, "NULL"},
      {Value::date(41699), CastType::Float, 0, "41699"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(fn::cast(c.v, c.type, c.length)), c.result) << shown(c.v);
}

TEST(SqlFunctions, ArithmeticOnDatesTextsAndNulls) {
  EXPECT_EQ(shown(fn::add(Value::date(41699), Value::integer(30))), "31.03.2014");
  EXPECT_EQ(shown(fn::subtract(Value::date(41699), Value::date(41690))), "9");
  EXPECT_EQ(shown(fn::add(Value::text("Marca: "), Value::text("Dacia  "))), "Marca: Dacia");
  EXPECT_EQ(shown(fn::add(Value::integer(1), Value())), "NULL");
  EXPECT_EQ(shown(fn::subtract(Value::text("10"), Value::integer(3))), "7");
  EXPECT_THROW(fn::multiply(Value::text("zece"), Value::integer(3)), engine::Error);
  EXPECT_THROW(fn::divide(Value::integer(3), Value::integer(0)), engine::Error);
}

TEST(SqlFunctions, CaseMappingCoversRomanianLetters) {
  EXPECT_EQ(fn::upperText("ăâîșțşţ abc"), "ĂÂÎȘȚŞŢ ABC");
  EXPECT_EQ(fn::lowerText("ĂÂÎȘȚŞŢ ABC"), "ăâîșțşţ abc");
}

}  // namespace
