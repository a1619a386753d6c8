// The computation of one balance row of SoldCalc at a calculation date.
#include "collect/balance.h"

#include <gtest/gtest.h>

namespace dajdor::collect {
namespace {

struct Stored {
  std::int64_t suma = 0, rest = 0, reduc = 0, scutire = 0, dator = 0, depoz = 0, major = 0;
};
struct Conditions {
  QDate calc;
  bool natural = true;
  bool reductionGiven = false;
  bool noPenalties = false;
  bool bonusUnder50 = true;
  bool bonusLegal = false;
};
struct Shown {
  std::int64_t CUR1, RAM1, MAJOR1, RED1, DEPLATA;
};
struct Case {
  const char* what;
  Stored stored;
  Conditions when;
  Shown expected;
};

TEST(TaxLine, InstallmentsPenaltiesReductionDepositsAndExemptions) {
  const Case cases[] = {
      {"31 March: reduction still offered, no penalty", {100, 100, 10}, {{2014, 3, 31}}, {90, 0, 0, 10, 90}},
      {"1 April: reduction gone, one month on the first installment", {100, 100, 10}, {{2014, 4, 1}},
       {100, 0, 1, 0, 101}},
      {"15 October: 7 months on the first installment, 1 on the second", {100, 100}, {{2014, 10, 15}},
       {100, 0, 8, 0, 108}},
      {"REST 30 of 100 in July: the second installment is not due yet", {100, 30}, {{2014, 7, 15}},
       {30, 0, 0, 0, 30}},
      {"REST 30 of 100 after 30 September: only 30 lei late", {100, 30}, {{2014, 10, 15}}, {30, 0, 1, 0, 31}},
      {"REST 30 of 100 six months after 30 September", {100, 30}, {{2015, 4, 1}}, {30, 0, 4, 0, 34}},
      {"49 lei: one installment due 31 March", {49, 49}, {{2014, 4, 1}}, {49, 0, 1, 0, 50}},
      {"49 lei: nothing due 30 September", {49, 49}, {{2014, 10, 15}}, {49, 0, 7, 0, 56}},
      {"a partial payment before 31 March: reduction on what is unpaid", {100, 60, 10}, {{2014, 2, 15}},
       {50, 0, 0, 10, 50}},
      {"arrears 100 with a deposit of 30: penalty from 1 January on 70", {0, 0, 0, 0, 100, 30}, {{2014, 4, 1}},
       {0, 70, 4, 0, 74}},
      {"a deposit larger than the arrears first covers the first installment", {100, 100, 0, 0, 20, 100},
       {{2015, 4, 1}}, {100, -80, 3, 0, 23}},
      {"a deposit alone is a credit", {0, 0, 0, 0, 0, 50}, {{2014, 10, 15}}, {0, -50, 0, 0, -50}},
      {"arrears and both installments late", {100, 100, 0, 0, 100}, {{2014, 10, 15}}, {100, 100, 26, 0, 226}},
      {"carried penalties are owed", {100, 100, 0, 0, 0, 0, 15}, {{2014, 3, 31}}, {100, 0, 15, 0, 115}},
      {"no penalties: none computed, carried ones hidden", {100, 100, 0, 0, 100, 0, 15},
       {{2014, 10, 15}, true, false, true}, {100, 100, 0, 0, 200}},
      {"a legal person without the option: no reduction", {100, 100, 10}, {{2014, 3, 31}, false},
       {100, 0, 0, 0, 100}},
      {"a legal person with the option", {100, 100, 10}, {{2014, 3, 31}, false, false, false, true, true},
       {90, 0, 0, 10, 90}},
      {"under 50 lei without BONIF50: no reduction", {40, 40, 4}, {{2014, 3, 31}, true, false, false, false},
       {40, 0, 0, 0, 40}},
      {"under 50 lei with BONIF50", {40, 40, 4}, {{2014, 3, 31}}, {36, 0, 0, 4, 36}},
      {"a reduction already given on a receipt this year", {100, 100, 10}, {{2014, 3, 31}, true, true},
       {100, 0, 0, 0, 100}},
      {"an exemption: no current amount nor its penalty, arrears stay", {100, 100, 10, 100, 100},
       {{2014, 10, 15}}, {0, 100, 18, 0, 118}},
  };
  for (const Case& c : cases) {
    admin::Rates rates;
    rates.setOption("BONIF50", c.when.bonusUnder50);
    rates.setOption("REDUCERE_JURIDICE", c.when.bonusLegal);
    TaxLine line;
    line.SUMA = c.stored.suma;
    line.REST = c.stored.rest;
    line.REDUC = c.stored.reduc;
    line.SCUTIRE = c.stored.scutire;
    line.DATOR = c.stored.dator;
    line.DEPOZ = c.stored.depoz;
    line.MAJOR = c.stored.major;
    line.ACHITAT = 99;
    computeTaxLine(line, rates, 2014, c.when.noPenalties, c.when.calc, c.when.natural, c.when.reductionGiven);
    SCOPED_TRACE(c.what);
    EXPECT_EQ(line.CUR1, c.expected.CUR1);
    EXPECT_EQ(line.RAM1, c.expected.RAM1);
    EXPECT_EQ(line.MAJOR1, c.expected.MAJOR1);
    EXPECT_EQ(line.RED1, c.expected.RED1);
    EXPECT_EQ(line.DEPLATA, c.expected.DEPLATA);
    EXPECT_EQ(line.SCUT1, c.stored.scutire);
    EXPECT_EQ(line.ACHITAT, 0);
  }
}

}  // namespace
}  // namespace dajdor::collect
