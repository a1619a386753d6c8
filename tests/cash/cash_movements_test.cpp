#include "cash/cash_fixture.h"
#include "cash/cash_movements.h"

namespace dajdor::testing {
namespace {

using cash::CashRow;
using cash::Movement;

const QDate kDay(2026, 5, 12);

CurrentUser userOfLevel(int level, const QString& name = "ANA") {
  CurrentUser user;
  user.name = name;
  user.level = level;
  return user;
}

TEST_F(CashTest, AnAddedMovementIsStoredAtOnceAndShownOnItsDay) {
  cash::CashRegister& reg = openRegister();
  cash::CashMovements movements(reg, settings(), interaction);
  EXPECT_EQ(movements.add({kDay, "  Dispozitie   de plata 4 ", true, 250}, "BOGDAN"), 100);
  EXPECT_EQ(movements.add({kDay, "Chitanta diverse & \"taxe\" <ș>", false, 75}, "ANA"), 101);
  EXPECT_EQ(storedMovements(), QStringList({"100|12.05.2026|Dispozitie de plata 4|250|0|BOGDAN",
                                            "101|12.05.2026|Chitanta diverse & \"taxe\" <ş>|0|75|ANA"}));
  EXPECT_EQ(settings().ReadSetting("SERVER", "IDRC"), "102");
  const cash::CashDay view = reg.Filtru(kDay, cash::kAnyCashier);
  EXPECT_EQ(view.totalPaid, 250);
  EXPECT_EQ(view.totalReceived, 75);
  EXPECT_EQ(reloadedRows(), reg.rows());  // what is shown is what is stored
  EXPECT_TRUE(interaction.problems.isEmpty());
}

TEST_F(CashTest, AMovementWithoutDocumentOrAmountIsRefusedAtItsInput) {
  struct Case {
    Movement movement;
    QString problem;
    QString field;
  };
  const QList<Case> cases = {
      {{kDay, "   ", false, 10}, "Lipseste Documentul justificativ!", cash::kDocumentField},
      {{kDay, "Chitanta 3", false, 0}, "Lipseste Suma!", cash::kAmountField},
      {{kDay, "Chitanta 3", true, -5}, "Lipseste Suma!", cash::kAmountField},
      {{kDay, "Chitanta 3", true, 1000000}, "Suma are cel mult 6 cifre!", cash::kAmountField},
      {{kDay, QString(51, 'X'), true, 5}, "Textul are 51 caractere; se pot memora cel mult 50!", cash::kDocumentField},
      {{kDay, "Chitanta \u20AC\u4E2D", true, 5}, "Caracterul \"\u4E2D\" nu poate fi memorat! Folositi numai litere romanesti.",
       cash::kDocumentField},
  };
  cash::CashRegister& reg = openRegister();
  cash::CashMovements movements(reg, settings(), interaction);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem.toStdString());
    interaction.problems.clear();
    EXPECT_EQ(movements.add(c.movement, "ANA"), 0);
    ASSERT_EQ(interaction.problems.size(), 1);
    EXPECT_EQ(interaction.problems[0].text, c.problem);
    EXPECT_EQ(interaction.problems[0].field, c.field);
  }
  EXPECT_TRUE(storedMovements().isEmpty());
  EXPECT_TRUE(reg.rows().isEmpty());
}

TEST_F(CashTest, OnlyHandEnteredRowsMayBeChangedOrDeletedAndNotByCashiers) {
  const CashRow summary{-1, kDay, cash::kSummaryText, 0, 380, "ANA"};
  const CashRow hand{5, kDay, "Chitanta diverse", 0, 20, "ANA"};
  struct Case {
    cash::Edit edit;
    int level;
    const CashRow* row;
    QString problem;  // "" = allowed
  };
  const QList<Case> cases = {
      {cash::Edit::Change, UserLevel::Cashier, &hand, "Nu aveti ce cauta aici!"},
      {cash::Edit::Delete, UserLevel::Cashier, &hand, "Nu aveti ce cauta aici!"},
      {cash::Edit::Change, UserLevel::Operator, nullptr, "Nu aveti ce modifica!"},
      {cash::Edit::Delete, UserLevel::Operator, nullptr, "Nu aveti ce sterge!"},
      {cash::Edit::Change, UserLevel::Admin, &summary, "Nu puteti modifica decat operatiunile introduse manual!"},
      {cash::Edit::Delete, UserLevel::Admin, &summary, "Nu puteti sterge linia selectata!"},
      {cash::Edit::Change, UserLevel::Operator, &hand, ""},
      {cash::Edit::Delete, UserLevel::Admin, &hand, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem.toStdString());
    interaction.problems.clear();
    EXPECT_EQ(cash::mayEdit(c.edit, userOfLevel(c.level), c.row, interaction), c.problem.isEmpty());
    EXPECT_EQ(interaction.problems.isEmpty() ? QString() : interaction.problems[0].text, c.problem);
  }
}

TEST_F(CashTest, AChangeRewritesDayDocumentAndAmountButKeepsTheCashier) {
  add(HandMovement{7, kDay, "Chitanta diverse 1", 0, 40, "BOGDAN"});
  cash::CashRegister& reg = openRegister();
  cash::CashMovements movements(reg, settings(), interaction);
  const Movement shown = cash::movementOf(reg.rows()[0], kDay);
  EXPECT_FALSE(shown.payment);
  EXPECT_EQ(shown.amount, 40);
  EXPECT_EQ(shown.document, "Chitanta diverse 1");

  ASSERT_TRUE(movements.change(7, {kDay.addDays(1), "Dispozitie de plata 2", true, 65}));
  EXPECT_EQ(storedMovements(), QStringList{"7|13.05.2026|Dispozitie de plata 2|65|0|BOGDAN"});
  EXPECT_EQ(reg.rows(), reloadedRows());
  EXPECT_TRUE(cash::movementOf(reg.rows()[0], kDay).payment);

  EXPECT_FALSE(movements.change(7, {kDay, "", true, 65}));  // refused: nothing changes
  EXPECT_EQ(storedMovements(), QStringList{"7|13.05.2026|Dispozitie de plata 2|65|0|BOGDAN"});
}

TEST_F(CashTest, ADeletionAsksFirstAndRemovesOnlyThatRow) {
  add(HandMovement{7, kDay, "Chitanta diverse 1", 0, 40, "ANA"});
  add(HandMovement{8, kDay, "Dispozitie de plata 2", 10, 0, "ANA"});
  cash::CashRegister& reg = openRegister();
  cash::CashMovements movements(reg, settings(), interaction);
  const CashRow first = reg.rows()[0];

  interaction.queueAnswer(Answer::Nu);
  EXPECT_FALSE(movements.remove(first));
  EXPECT_EQ(storedMovements().size(), 2);
  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_EQ(interaction.messages[0].title, "Stergere Operatiune");
  EXPECT_EQ(interaction.messages[0].text, "Stergem operatiunea Chitanta diverse 1 ?");

  interaction.queueAnswer(Answer::Da);
  EXPECT_TRUE(movements.remove(first));
  EXPECT_EQ(storedMovements(), QStringList{"8|12.05.2026|Dispozitie de plata 2|10|0|ANA"});
  EXPECT_EQ(reg.rows(), reloadedRows());
}

}  // namespace
}  // namespace dajdor::testing
