#include "collect/paid_amounts.h"

#include <gtest/gtest.h>

namespace dajdor::collect {
namespace {

struct Case {
  std::int64_t typed, due, expected;
};

TEST(PaidAmounts, BalanceLinesTakeOutAtMostTheCreditAndKeepOverpayments) {
  const Case cases[] = {
      {-5, 120, 120},     // a negative amount on a line without credit: the whole amount due
      {-500, -200, -200}, // no more than the credit the line shows
      {-100, -200, -100}, // part of the credit
      {-200, -200, -200}, //
      {150, 120, 150},    // the excess becomes a deposit when paid
      {60, 120, 60},      //
      {0, 120, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(paidOnBalanceLine(c.typed, c.due), c.expected) << c.typed << " on " << c.due;
}

TEST(PaidAmounts, OtherTaxesAreCappedAtTheAmountDueInEitherDirection) {
  const Case cases[] = {
      {150, 120, 120}, {-150, 120, 120}, {-5, 120, -5}, {60, 120, 60}, {-500, -200, -200}, {-50, -200, -50}, {0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(paidOnOtherTax(c.typed, c.due), c.expected) << c.typed << " on " << c.due;
}

TEST(PaidAmounts, DoubleClickTogglesBetweenTheAmountDueAndNothing) {
  EXPECT_EQ(toggledPaid(0, 120), 120);
  EXPECT_EQ(toggledPaid(120, 120), 0);
  EXPECT_EQ(toggledPaid(50, 120), 120);
  EXPECT_EQ(toggledPaid(0, -200), -200);
  EXPECT_EQ(toggledPaid(0, 0), 0);
}

}  // namespace
}  // namespace dajdor::collect
