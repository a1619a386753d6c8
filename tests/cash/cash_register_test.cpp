#include "cash/cash_fixture.h"

#include "store/sql_helpers.h"

namespace dajdor::testing {
namespace {

using cash::CashRow;

const QDate kMonday(2026, 3, 2);
const QDate kTuesday(2026, 3, 3);
const QDate kWednesday(2026, 3, 4);

CashRow summary(const QDate& day, const QString& cashier, std::int64_t paid, std::int64_t received) {
  return {-1, day, cash::kSummaryText, paid, received, cashier};
}

TEST_F(CashTest, EachDayAndCashierOfTheCashDocumentsGivesOneSummaryRow) {
  struct Case {
    const char* name;
    QList<DocumentLine> lines;
    QList<CashRow> rows;
  };
  const QList<Case> cases = {
      {"receipts and a payment order on one day are netted into what was received",
       {{kMonday, "ANA", 500, "C"}, {kMonday, "ANA", -120, "O"}},
       {summary(kMonday, "ANA", 0, 380)}},
      {"a day of payment orders only is a payment",
       {{kMonday, "ANA", -120, "O"}},
       {summary(kMonday, "ANA", 120, 0)}},
      {"accounting notes and bank transfers never enter the register",
       {{kMonday, "ANA", 200, "C"}, {kMonday, "ANA", 900, "N"}, {kMonday, "ANA", -900, "N"}, {kMonday, "ANA", 70, "V"}},
       {summary(kMonday, "ANA", 0, 200)}},
      {"a cancelled receipt (amounts set to 0) adds nothing",
       {{kMonday, "ANA", 300, "C"}, {kMonday, "ANA", 0, "C"}},
       {summary(kMonday, "ANA", 0, 300)}},
      {"several lines of several documents of a cashier on a day are one row; cashiers and days apart",
       {{kTuesday, "BOGDAN", 40, "C"}, {kMonday, "ANA", 10, "C"}, {kMonday, "ANA", 15, "C"}, {kMonday, "BOGDAN", 7, "C"}},
       {summary(kMonday, "ANA", 0, 25), summary(kMonday, "BOGDAN", 0, 7), summary(kTuesday, "BOGDAN", 0, 40)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sql::execute(db(), "DELETE FROM " + sql::table(dataDir(), "Chitante.dbf"));
    for (const DocumentLine& line : c.lines) add(line);
    EXPECT_EQ(openRegister().rows(), c.rows);
  }
}

TEST_F(CashTest, HandEnteredMovementsJoinTheSummariesInDayAndCashierOrder) {
  add({kTuesday, "BOGDAN", 50, "C"});
  add(HandMovement{7, kTuesday, "Dispozitie de plata 3", 30, 0, "ANA"});
  add(HandMovement{8, kMonday, "Chitanta diverse 12", 0, 45, "BOGDAN"});
  const cash::CashRegister& reg = openRegister();
  const QList<CashRow> expected = {{8, kMonday, "Chitanta diverse 12", 0, 45, "BOGDAN"},
                                   {7, kTuesday, "Dispozitie de plata 3", 30, 0, "ANA"},
                                   summary(kTuesday, "BOGDAN", 0, 50)};
  EXPECT_EQ(reg.rows(), expected);
  EXPECT_EQ(reg.cashiers(), QStringList{"BOGDAN"});  // the cashiers of the documents
}

TEST_F(CashTest, FiltruCarriesTheBalanceOfEveryEarlierDay) {
  add({kMonday, "ANA", 1000, "C"});
  add({kMonday, "BOGDAN", 200, "C"});
  add({kTuesday, "ANA", -150, "O"});
  add({kTuesday, "BOGDAN", 80, "C"});
  add(HandMovement{1, kWednesday, "Chitanta diverse 4", 0, 25, "ANA"});
  add(HandMovement{2, kMonday, "Depunere la banca", 600, 0, "ANA"});  // entered later, dated earlier
  const cash::CashRegister& reg = openRegister();

  const cash::CashDay first = reg.Filtru(kMonday, cash::kAnyCashier);
  EXPECT_EQ(first.previousBalance, 0);
  EXPECT_EQ(first.rows.size(), 3);
  EXPECT_EQ(first.totalReceived, 1200);
  EXPECT_EQ(first.totalPaid, 600);
  EXPECT_EQ(first.carriedForward(), 600);

  const cash::CashDay second = reg.Filtru(kTuesday, cash::kAnyCashier);
  EXPECT_EQ(second.previousBalance, first.carriedForward());
  EXPECT_EQ(second.totalReceived, 80);
  EXPECT_EQ(second.totalPaid, 150);
  EXPECT_EQ(second.carriedForward(), 530);

  const cash::CashDay later = reg.Filtru(QDate(2026, 3, 20), cash::kAnyCashier);
  EXPECT_EQ(later.previousBalance, 555);
  EXPECT_TRUE(later.rows.isEmpty());
  EXPECT_EQ(later.carriedForward(), 555);
}

TEST_F(CashTest, ChoosingACashierRestrictsTheBalanceAndTheRows) {
  add({kMonday, "ANA", 1000, "C"});
  add({kMonday, "BOGDAN", 200, "C"});
  add({kTuesday, "ANA", -150, "O"});
  add({kTuesday, "BOGDAN", 80, "C"});
  add(HandMovement{1, kTuesday, "Dispozitie de plata 9", 20, 0, "BOGDAN"});
  const cash::CashRegister& reg = openRegister();

  const cash::CashDay bogdan = reg.Filtru(kTuesday, "BOGDAN");
  EXPECT_EQ(bogdan.previousBalance, 200);
  ASSERT_EQ(bogdan.rows.size(), 2);
  for (const CashRow& row : bogdan.rows) EXPECT_EQ(row.INCANUME, "BOGDAN");
  EXPECT_EQ(bogdan.carriedForward(), 260);

  const cash::CashDay ana = reg.Filtru(kTuesday, "ANA");
  EXPECT_EQ(ana.previousBalance, 1000);
  EXPECT_EQ(ana.rows, QList<CashRow>{summary(kTuesday, "ANA", 150, 0)});
  EXPECT_EQ(ana.carriedForward(), 850);

  EXPECT_EQ(reg.Filtru(kTuesday, "").carriedForward(), bogdan.carriedForward() + ana.carriedForward());
}

}  // namespace
}  // namespace dajdor::testing
