#include "collect/late_penalty.h"

#include <gtest/gtest.h>

namespace dajdor::collect {
namespace {

struct PenaltyCase {
  const char* what;
  bool noPenalties;
  QDate due, calc;
  std::int64_t amount;
  std::int64_t expected;
};

TEST(LatePenalty, RegimesRoundingAndWhenNothingIsOwed) {
  const PenaltyCase cases[] = {
      {"7 months after 31 March", false, {2014, 3, 31}, {2014, 10, 15}, 1000, 140},
      {"across the change of regime: 30.1 + 84", false, {2010, 1, 1}, {2014, 1, 1}, 100, 114},
      {"15 June to 20 July 2010: 1 month and 16 days before, none after", false, {2010, 6, 15}, {2010, 7, 20}, 1000,
       36},
      {"wholly before the change: 2 months and 59 days, 9.9", false, {2010, 1, 1}, {2010, 3, 1}, 100, 10},
      {"ending on the day of the change", false, {2010, 6, 1}, {2010, 7, 1}, 1000, 50},
      {"31 March to 1 April is one month", false, {2014, 3, 31}, {2014, 4, 1}, 100, 2},
      {"31 March to 1 May is two months", false, {2014, 3, 31}, {2014, 5, 1}, 100, 4},
      {"later in the same month: no month yet", false, {2014, 4, 1}, {2014, 4, 30}, 1000, 0},
      {"half a leu rounds up", false, {2014, 3, 31}, {2014, 4, 1}, 25, 1},
      {"under half a leu rounds down", false, {2014, 3, 31}, {2014, 4, 1}, 24, 0},
      {"on the due date", false, {2014, 3, 31}, {2014, 3, 31}, 1000, 0},
      {"before the due date", false, {2014, 3, 31}, {2014, 1, 15}, 1000, 0},
      {"nothing owed", false, {2014, 3, 31}, {2014, 10, 15}, 0, 0},
      {"a credit", false, {2014, 3, 31}, {2014, 10, 15}, -500, 0},
      {"penalties waived", true, {2014, 3, 31}, {2014, 10, 15}, 1000, 0},
  };
  for (const PenaltyCase& c : cases)
    EXPECT_EQ(LatePenalty(c.noPenalties, c.due, c.calc, c.amount), c.expected) << c.what;
}

TEST(MonthSpan, CountsCalendarMonthsIgnoringTheDay) {
  struct Case {
    QDate from, to;
    int expected;
  } const cases[] = {
      {{2014, 3, 31}, {2014, 4, 1}, 1},  {{2014, 3, 31}, {2014, 5, 1}, 2},  {{2014, 3, 1}, {2014, 3, 31}, 0},
      {{2013, 10, 15}, {2014, 1, 1}, 3}, {{2010, 7, 1}, {2014, 1, 1}, 42}, {{2014, 5, 1}, {2014, 3, 31}, -2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MonthSpan(c.from, c.to), c.expected) << c.from.toString().toStdString() << " "
                                                    << c.to.toString().toStdString();
}

TEST(InstallmentSplit, UnderFiftyOneInstallmentOtherwiseHalvesWithTheOddLeuSecond) {
  struct Case {
    std::int64_t assessed, unpaid;
    Installments expected;
  } const cases[] = {
      {49, 49, {49, 0}},   // one installment, due 31 March
      {49, 20, {20, 0}},   //
      {50, 50, {25, 25}},  //
      {51, 51, {25, 26}},  // the odd leu goes to the second installment
      {100, 100, {50, 50}},
      {100, 70, {20, 50}},  // payments settle the first installment first
      {100, 30, {0, 30}},   // first paid, 30 left of the second
      {100, 50, {0, 50}},
      {100, 0, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InstallmentSplit(c.assessed, c.unpaid), c.expected) << c.assessed << "/" << c.unpaid;
}

}  // namespace
}  // namespace dajdor::collect
