#include "store/engine/codepage.h"

#include <gtest/gtest.h>

namespace {

using engine::codepage::fromUtf8;
using engine::codepage::toUtf8;

TEST(CodepageTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string back, bad;
  ASSERT_TRUE(fromUtf8(toUtf8(all), back, bad)) << bad;
  EXPECT_EQ(back, all);
}

TEST(CodepageTest, RomanianLettersAndTheirWindows1250Bytes) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  const Case cases[] = {
      {"ăâîşţ ĂÂÎŞŢ", "\xE3\xE2\xEE\xBA\xFE \xC3\xC2\xCE\xAA\xDE"},
      // Comma-below letters are written as their cedilla twins.
      {"ș ț Ș Ț", "\xBA \xFE \xAA \xDE"},
      {"Ştefan Ţepeş", "\xAA" "tefan \xDE" "epe\xBA"},
      {"€ „citat”", "\x80 \x84" "citat\x94"},
  };
  for (const auto& c : cases) {
    std::string out, bad;
    ASSERT_TRUE(fromUtf8(c.utf8, out, bad)) << c.utf8;
    EXPECT_EQ(out, c.bytes) << c.utf8;
  }
  EXPECT_EQ(toUtf8("\xBA\xFE\xAA\xDE"), "şţŞŢ");
}

TEST(CodepageTest, RefusesCharactersOutsideWindows1250NamingTheFirst) {
  struct Case {
    const char* utf8;
    const char* bad;
  };
  const Case cases[] = {
      {"Muñoz", "ñ"},
      {"ab中c", "中"},
      {"ok 😀", "😀"},
      {"x\xFFy", "\\xFF"},     // not UTF-8 at all
      {"trunc\xC3", "\\xC3"},  // cut in the middle of a character
  };
  for (const auto& c : cases) {
    std::string out, bad;
    EXPECT_FALSE(fromUtf8(c.utf8, out, bad)) << c.utf8;
    EXPECT_EQ(bad, c.bad) << c.utf8;
  }
}

}  // namespace
