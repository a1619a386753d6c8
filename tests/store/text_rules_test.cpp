#include "store/text_rules.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

namespace dajdor {
namespace {

TEST(AmountInWords, WritesTheLeiOfAnAmount) {
  const struct {
    const char* amount;
    const char* words;
  } cases[] = {
      {"1", "unu"},
      {"2", "doi"},
      {"12", "doisprezece"},
      {"21", "douazecisiunu"},
      {"125", "unasutadouazecisicinci"},
      {"2000", "douamii"},
      {"1000", "unamii"},
      {"3450", "treimiipatrusutecincizeci"},
      {"0", "zero"},
      {"1,234.56", "unamiidouasutetreizecisipatru"},
      {"", "zero"},
      {".75", "zero"},
      {"10", "zece"},
      {"11", "unsprezece"},
      {"14", "patrusprezece"},
      {"100", "unasuta"},
      {"302", "treisutedoi"},
      {"1000001", "unamilioaneunu"},
      {"2000000", "douamilioane"},
      {"5000000000", "cincimiliarde"},
      {"0042", "patruzecisidoi"},
      {"abc", ""},
      {"-5", ""},
      {"1000000000000", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AmountInWords(QString::fromLatin1(c.amount)), QString::fromLatin1(c.words)) << c.amount;
  }
}

TEST(CleanSpaces, LeavesOneBlankBetweenWords) {
  const struct {
    const char* text;
    const char* clean;
  } cases[] = {
      {"  Ion   Popescu ", "Ion Popescu"},
      {"Ion  Vasile    Pop", "Ion Vasile Pop"},
      {"   ", ""},
      {"Pop", "Pop"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanSpaces(QString::fromLatin1(c.text)), QString::fromLatin1(c.clean)) << c.text;
}

TEST(JoinConditions, JoinsAdjacentConditionsWithAnd) {
  EXPECT_EQ(JoinConditions(" (ROL='1')(SATUL='Vale')(NR<>1) "), "(ROL='1') AND (SATUL='Vale') AND (NR<>1)");
  EXPECT_EQ(JoinConditions("(ROL='1')"), "(ROL='1')");
  EXPECT_EQ(JoinConditions("   "), "");
}

TEST(Words, SplitAtTheFirstBlank) {
  EXPECT_EQ(FirstWord("Popescu Ion  Vasile"), "Popescu");
  EXPECT_EQ(AfterFirstWord("Popescu Ion  Vasile "), "Ion  Vasile");
  EXPECT_EQ(FirstWord("Popescu"), "Popescu");
  EXPECT_EQ(AfterFirstWord("Popescu"), "");
}

TEST(RoundToInt, RoundsHalvesAwayFromZero) {
  const struct {
    double x;
    std::int64_t rounded;
  } cases[] = {{2.5, 3}, {-2.5, -3}, {2.49, 2}, {-2.49, -2}, {0.49999999999999994, 0}, {10.85, 11}, {0, 0}, {1e30, INT64_MAX}};
  for (const auto& c : cases) EXPECT_EQ(RoundToInt(c.x), c.rounded) << c.x;
}

TEST(GroupIndex, NumbersTheMainGroupsIgnoringCase) {
  EXPECT_EQ(GroupIndex("Impozit pe cladiri"), 1);
  EXPECT_EQ(GroupIndex("IMPOZIT PE TEREN INTRAVILAN"), 2);
  EXPECT_EQ(GroupIndex("impozit pe teren extravilan   "), 3);
  EXPECT_EQ(GroupIndex("Impozit pe mijloace de transport"), 4);
  EXPECT_EQ(GroupIndex("Salubritate"), 5);
  EXPECT_EQ(GroupIndex(""), 5);
}

TEST(IsValidIban, ChecksLayoutAndCheckDigits) {
  const struct {
    const char* iban;
    bool valid;
  } cases[] = {
      {"RO49AAAA1B31007593840000", true},
      {"ro49 aaaa 1b31 0075 9384 0000", true},   // blanks and lower case accepted
      {"RO49-AAAA-1B31-0075-9384-0000", true},   // only letters and digits count
      {"RO48AAAA1B31007593840000", false},       // wrong check digits
      {"RO49AAAA1B3100759384000", false},        // 23 characters
      {"DE49AAAA1B31007593840000", false},       // not Romanian
      {"ROA9AAAA1B31007593840000", false},       // check digits must be digits
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidIban(QString::fromLatin1(c.iban)), c.valid) << c.iban;
}

TEST(IsValidCui, ChecksLengthAndCheckDigit) {
  const struct {
    const char* cui;
    bool valid;
  } cases[] = {
      {"18547290", true},
      {"18547291", false},
      {"4221306", true},
      {"14", false},           // too short whatever the digits
      {"12345678901", false},  // too long whatever the digits
      {"1854A290", false},     // not digits: refused, not a failure
      {"RO18547290", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidCui(QString::fromLatin1(c.cui)), c.valid) << c.cui;
}

}  // namespace
}  // namespace dajdor
