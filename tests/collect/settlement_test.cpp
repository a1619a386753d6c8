// How entered amounts are settled over arrears, penalties, installments,
// reduction and deposit, and the kind of document they make.
#include "collect/document_lines.h"
#include "collect/settlement.h"

#include <gtest/gtest.h>

namespace dajdor::collect {
namespace {

// The six amounts and the type of a settled line.
struct Amounts {
  std::int64_t RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE;
  const char* TIP;
};

void expectLines(const QList<SettledLine>& got, const std::vector<Amounts>& want, const char* what) {
  ASSERT_EQ(got.size(), static_cast<qsizetype>(want.size())) << what;
  for (std::size_t i = 0; i < want.size(); ++i) {
    const SettledLine& l = got[static_cast<qsizetype>(i)];
    const Amounts& w = want[i];
    EXPECT_EQ((std::vector<std::int64_t>{l.RESTANTA, l.MAJOREST, l.DEPOZIT, l.CURENT, l.MAJOR, l.REDUCERE}),
              (std::vector<std::int64_t>{w.RESTANTA, w.MAJOREST, w.DEPOZIT, w.CURENT, w.MAJOR, w.REDUCERE}))
        << what << ", line " << i;
    EXPECT_EQ(l.TIP, QString::fromLatin1(w.TIP)) << what << ", line " << i;
  }
}

TaxLine taxLine(std::int64_t suma, std::int64_t rest, std::int64_t red1, std::int64_t dator, std::int64_t depoz,
                std::int64_t major, std::int64_t paid) {
  TaxLine t;
  t.IDRES = 7;
  t.GRUPA = "Impozit pe cladiri";
  t.SUMA = suma;
  t.REST = rest;
  t.RED1 = red1;
  t.REDUC = red1;
  t.DATOR = dator;
  t.DEPOZ = depoz;
  t.MAJOR = major;
  t.ACHITAT = paid;
  return t;
}

struct TaxCase {
  const char* what;
  TaxLine row;
  SettlementRules rules;
  std::vector<Amounts> lines;
  BalanceUpdate after;  // IDRES, SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR
};

const SettlementRules receiptOn(int y, int m, int d, int year = 2014) {
  return {DocumentKind::Receipt, QDate(y, m, d), false, year};
}

TEST(Settlement, TaxLinesInTheirFixedOrder) {
  const TaxCase cases[] = {
      {"before 31 March, exactly the amount after the reduction: CURENT = REST and the reduction granted",
       taxLine(200, 200, 20, 0, 0, 0, 180), receiptOn(2014, 3, 15), {{0, 0, 0, 200, 0, 20, "C"}},
       {7, 200, 0, 20, 0, 0, 0}},
      {"before 31 March, one leu short: no reduction, 1 leu plus the reduction still owed",
       taxLine(200, 200, 20, 0, 0, 0, 179), receiptOn(2014, 3, 15), {{0, 0, 0, 179, 0, 0, "C"}},
       {7, 200, 21, 20, 0, 0, 0}},
      {"15 October, 50 + 50 unpaid, 120 paid: each installment with its penalty, the rest a deposit",
       taxLine(100, 100, 0, 0, 0, 0, 120), receiptOn(2014, 10, 15),
       {{0, 0, 0, 50, 7, 0, "C"}, {0, 0, 0, 50, 1, 0, "C"}, {0, 0, 12, 0, 0, 0, "C"}}, {7, 100, 0, 0, 0, 12, 0}},
      {"15 October, short of the first installment: its penalty pro rata",
       taxLine(100, 100, 0, 0, 0, 0, 30), receiptOn(2014, 10, 15), {{0, 0, 0, 26, 4, 0, "C"}},
       {7, 100, 74, 0, 0, 0, 0}},
      {"July: the whole year paid with the first installment's penalty, the rest a deposit",
       taxLine(100, 100, 0, 0, 0, 0, 110), receiptOn(2014, 7, 15), {{0, 0, 6, 100, 4, 0, "C"}},
       {7, 100, 0, 0, 0, 6, 0}},
      {"arrears 200, carried penalties 20, new penalty 10, paid 115: ratio 0.5",
       taxLine(0, 0, 0, 200, 0, 20, 115), receiptOn(2010, 2, 1, 2010), {{100, 10, 0, 0, 5, 0, "C"}},
       {7, 0, 0, 0, 100, 0, 10}},
      {"without penalties the carried ones are neither asked nor paid",
       taxLine(0, 0, 0, 100, 0, 20, 100), {DocumentKind::Receipt, QDate(2014, 5, 1), true, 2014},
       {{100, 0, 0, 0, 0, 0, "C"}}, {7, 0, 0, 0, 0, 0, 20}},
      {"without penalties, short of the arrears", taxLine(0, 0, 0, 100, 0, 20, 40),
       {DocumentKind::Receipt, QDate(2014, 5, 1), true, 2014}, {{40, 0, 0, 0, 0, 0, "C"}}, {7, 0, 0, 0, 60, 0, 20}},
      {"arrears paid in full, then the current year",
       taxLine(100, 100, 0, 50, 0, 0, 160), receiptOn(2014, 4, 15),
       {{50, 0, 0, 0, 3, 0, "C"}, {0, 0, 6, 100, 1, 0, "C"}}, {7, 100, 0, 0, 0, 6, 0}},
      {"deposit 50 and nothing due: 30 more goes to the deposit", taxLine(0, 0, 0, 0, 50, 0, 30),
       receiptOn(2014, 5, 1), {{0, 0, 30, 0, 0, 0, "C"}}, {7, 0, 0, 0, 0, 80, 0}},
      {"deposit larger than arrears and penalties: both cleared, the rest covers the current year",
       taxLine(100, 100, 0, 30, 150, 10, 0), receiptOn(2014, 5, 1), {}, {7, 100, 0, 0, 0, 10, 0}},
      {"deposit smaller than arrears and penalties: taken from the arrears first",
       taxLine(0, 0, 0, 100, 30, 10, 0), receiptOn(2014, 5, 1), {}, {7, 0, 0, 0, 70, 0, 10}},
      {"deposit beyond the arrears: the rest from the carried penalties",
       taxLine(0, 0, 0, 100, 105, 10, 0), receiptOn(2014, 5, 1), {}, {7, 0, 0, 0, 0, 0, 5}},
      {"deposit short of the current year: REST lowered by it", taxLine(100, 100, 0, 0, 40, 0, 0),
       receiptOn(2014, 5, 1), {}, {7, 100, 60, 0, 0, 0, 0}},
      {"a negative amount on a row without deposit changes nothing", taxLine(100, 100, 0, 0, 0, 0, -20),
       receiptOn(2014, 5, 1), {}, {7, 100, 100, 0, 0, 0, 0}},
      {"after 31 March the reduction is written back as 0", taxLine(100, 100, 0, 0, 0, 0, 0),
       receiptOn(2014, 5, 1), {}, {7, 100, 100, 0, 0, 0, 0}},
  };
  for (const TaxCase& c : cases) {
    QList<SettledLine> lines;
    const BalanceUpdate after = settleTaxLine(c.row, c.rules, lines);
    expectLines(lines, c.lines, c.what);
    EXPECT_EQ(after, c.after) << c.what;
    for (const SettledLine& l : lines) EXPECT_EQ(l.GRUPA, c.row.GRUPA) << c.what;
  }
}

TEST(Settlement, AccountingNoteOfAPaymentAgainstADeposit) {
  Balance b;
  b.taxes = {taxLine(100, 100, 10, 0, 0, 0, 100), taxLine(0, 0, 0, 0, 100, 0, -100)};
  b.taxes[1].IDRES = 8;
  b.taxes[1].GRUPA = "Impozit pe teren intravilan";
  const Classification kind = classifyPayment(b);
  ASSERT_EQ(kind.kind, DocumentKind::AccountingNote);
  const Settlement s = settle(b, {DocumentKind::AccountingNote, QDate(2014, 3, 1), false, 2014});
  expectLines(s.lines, {{0, 0, 0, 100, 0, 0, "N"}, {0, 0, -100, 0, 0, 0, "N"}}, "note");
  EXPECT_EQ(s.lines[1].DOCJUS, "NC");
  // No reduction on any group, also in what is written back.
  EXPECT_EQ(s.balances[0], (BalanceUpdate{7, 100, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.balances[1], (BalanceUpdate{8, 0, 0, 0, 0, 0, 0}));
  const QList<DocumentLine> lines = groupLines(s.lines, "AB", 5, {}, true);
  ASSERT_EQ(lines.size(), 2);
  for (const DocumentLine& l : lines) {
    EXPECT_EQ(l.DOCJUS, "N.C.");
    EXPECT_EQ(l.SERIA, "");
    EXPECT_EQ(l.NR, 0);
  }
}

TEST(Settlement, KindOfDocumentFromTheSigns) {
  const auto kindOf = [](std::vector<std::int64_t> paid) {
    Balance b;
    for (const std::int64_t p : paid) b.taxes.append(taxLine(0, 0, 0, 0, 500, 0, p));
    return classifyPayment(b);
  };
  EXPECT_EQ(kindOf({100, -60}).problem, "Nota contabila nu se inchide cu 0!");
  EXPECT_EQ(kindOf({0, 0}).problem, "Nu aveti nimic operat!");
  EXPECT_EQ(kindOf({-50}).kind, DocumentKind::PaymentOrder);
  EXPECT_EQ(kindOf({50, 20}).kind, DocumentKind::Receipt);
  EXPECT_EQ(kindOf({50, -20, -30}).kind, DocumentKind::AccountingNote);

  Balance order;
  order.taxes = {taxLine(0, 0, 0, 0, 50, 0, -50)};
  const Settlement s = settle(order, {DocumentKind::PaymentOrder, QDate(2014, 5, 1), false, 2014});
  expectLines(s.lines, {{0, 0, -50, 0, 0, 0, "O"}}, "payment order");
  EXPECT_EQ(s.balances[0].DEPOZ, 0);
}

TEST(Settlement, OtherTaxesAndDebits) {
  Balance b;
  OtherTaxLine fee;
  fee.IDDAT = 3;
  fee.GRUPA = "Taxa salubrizare";
  fee.DOCJUS = "Decizie 4";
  fee.REST = 30;
  fee.SUMA = 50;
  fee.ACHITAT = 60;
  OtherTaxLine untouched = fee;
  untouched.IDDAT = 4;
  untouched.ACHITAT = 0;
  DebitLine over;
  over.IDDEB = 9;
  over.GRUPA = "Impozit pe mijloace de transport";
  over.DOCJUS = "Contract 2";
  over.SUMAC = 100;
  over.ACHITAT = 150;
  DebitLine partial = over;
  partial.IDDEB = 10;
  partial.DOCJUS = "Contract 3";
  partial.MAJOR = 20;
  partial.SUMAC = 80;
  partial.ACHITAT = 50;
  b.others = {fee, untouched};
  b.debits = {over, partial};
  const Settlement s = settle(b, receiptOn(2014, 5, 1));
  expectLines(s.lines, {{30, 0, 0, 30, 0, 0, "C"}, {0, 0, 0, 150, 0, 0, "C"}, {0, 0, 0, 40, 10, 0, "C"}}, "taxes");
  EXPECT_EQ(s.lines[0].DENUM, "Decizie 4");
  EXPECT_EQ(s.lines[1].DENUM, "Contract 2");
  ASSERT_EQ(s.otherTaxes.size(), 1);
  EXPECT_EQ(s.otherTaxes[0], (OtherTaxUpdate{3, 20, 0}));
  // Paying more than is due on a debit leaves a negative remainder.
  EXPECT_EQ(s.debits, (QList<DebitUpdate>{{9, -50}, {10, 40}}));
  // Two debit lines of one group stay two document lines, each with its document.
  const QList<DocumentLine> lines = groupLines(s.lines, "AB", 12, {}, true);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0].DENUM, "Contract 2");
  EXPECT_EQ(lines[1].DENUM, "Contract 3");
  EXPECT_EQ(lines[0].SERIA, "AB");
  EXPECT_EQ(lines[0].NR, 12);
  EXPECT_EQ(lines[1].TOTAL, 50);
}

TEST(Settlement, EveryBalanceRowGetsTheReductionThatApplies) {
  Balance b;
  b.taxes = {taxLine(100, 100, 10, 0, 0, 0, 90), taxLine(200, 200, 20, 0, 0, 0, 0)};
  b.taxes[1].IDRES = 8;
  const Settlement before = settle(b, receiptOn(2014, 3, 1));
  EXPECT_EQ(before.balances[0].REDUC, 10);
  EXPECT_EQ(before.balances[1].REDUC, 20);
  for (TaxLine& t : b.taxes) t.RED1 = 0;  // as the balance shows it after 31 March
  const Settlement after = settle(b, receiptOn(2014, 4, 2));
  EXPECT_EQ(after.balances[0].REDUC, 0);
  EXPECT_EQ(after.balances[1].REDUC, 0);
}

TEST(DocumentLines, AdjustingALineKeepsItsTotal) {
  BudgetAccounts accounts;
  accounts.add("Impozit pe cladiri", "21.02.01", "21.02.02", "I");
  accounts.add("Taxa salubrizare", "", "36.02", "T");
  QList<DocumentLine> lines = groupLines({{"Impozit pe cladiri", "CHITANTA", "", 0, 0, 0, 100, 5, 0, "C"},
                                          {"Taxa salubrizare", "CHITANTA", "Decizie", 0, 0, 0, 30, 0, 0, "C"}},
                                         "AB", 1, accounts, true);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].CODCLAS, "21.02.01");
  EXPECT_EQ(lines[1].CODCLAS, "");
  EXPECT_EQ(adjustmentRefusal({}, 0, accounts)->text, "Nu aveti ce modifica!");
  EXPECT_TRUE(adjustmentRefusal(lines, 1, accounts)->text.startsWith("De aici puteti modifica numai impozitele!"));
  EXPECT_FALSE(adjustmentRefusal(lines, 0, accounts));
  const auto wrong = checkAdjustment(lines[0], {10, 0, 0, 90, 0, 0});
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->text, "Suma totala incasata trebuie sa fie 105!\rAcum aveti suma 100. Mai studiati problema...");
  const LineAmounts right{10, 0, 0, 90, 5, 0};
  EXPECT_FALSE(checkAdjustment(lines[0], right));
  applyAdjustment(lines, "Impozit pe cladiri", right);
  EXPECT_EQ(lines[0].amounts, right);
  EXPECT_EQ(lines[0].TOTAL, 105);
  accounts.add("Taxa salubrizare 2", "x", "y", "T");
  BudgetAccounts later;
  later.add("Taxa salubrizare", "36.01", "36.02", "T");
  refreshAccounts(lines, later, true);
  EXPECT_EQ(lines[1].CODCLAS, "36.01");
}

}  // namespace
}  // namespace dajdor::collect
