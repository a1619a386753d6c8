// The register window and its two dialogs driven as a user would: the view
// follows the day and the cashier, edits go through the movement dialog, and
// refusals are reported without closing anything.
#include "cash/cash_fixture.h"
#include "cash/cash_movement_dialog.h"
#include "cash/cash_register_window.h"
#include "cash/period_dialog.h"
#include "session/app_context.h"
#include "widgets/numeric_edit_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace dajdor::testing {
namespace {

const QDate kToday(2026, 5, 12);

class CashRegisterWindowTest : public CashTest {
 protected:
  void SetUp() override {
    CashTest::SetUp();
    context_.paths = Paths::forAppDir(programDir());
    context_.interaction = &interaction;
    context_.database = std::make_unique<engine::Database>(dataDir().toStdString());
    context_.clock.setFixed(QDateTime(kToday, QTime(10, 0)));
    context_.user.name = "ANA";
    context_.user.level = UserLevel::Admin;
    context_.rates.setText("PrimariaLab", "Dealu");
    context_.rates.setText("ContabilLab", "Ionescu");
    add({kToday.addDays(-1), "ANA", 900, "C"});
    add({kToday, "ANA", 500, "C"});
    add({kToday, "ANA", -120, "O"});
    add({kToday, "BOGDAN", 60, "C"});
    add(HandMovement{5, kToday, "Dispozitie de plata 4", 40, 0, "BOGDAN"});
    period_ = std::make_unique<cash::PeriodDialog>(kToday, interaction);
    window_ = std::make_unique<cash::CashRegisterWindow>(context_, settings(), *period_,
                                                         [this](const QString& file) {
                                                           opened_.append(file);
                                                           return true;
                                                         });
    ASSERT_TRUE(window_->openRegister());
  }

  QStringList gridRows() const {
    QStringList rows;
    QTableWidget* grid = window_->grid();
    for (int r = 0; r < grid->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < grid->columnCount(); ++c) cells.append(grid->item(r, c)->text());
      rows.append(cells.join('|'));
    }
    return rows;
  }
  // Runs `step` on the dialog the next call opens.
  static void whenShown(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

  AppContext context_;
  std::unique_ptr<cash::PeriodDialog> period_;
  std::unique_ptr<cash::CashRegisterWindow> window_;
  QStringList opened_;
};

TEST_F(CashRegisterWindowTest, TheViewFollowsTheDayAndTheCashier) {
  EXPECT_EQ(window_->day()->date(), kToday);
  QComboBox* cashier = window_->cashier();
  ASSERT_EQ(cashier->count(), 3);
  EXPECT_EQ(cashier->itemText(0), cash::kAnyCashier);
  EXPECT_EQ(cashier->itemText(2), "BOGDAN");
  EXPECT_EQ(gridRows(), QStringList({"Centralizator zilnic|0|380|ANA", "Centralizator zilnic|0|60|BOGDAN",
                                     "Dispozitie de plata 4|40|0|BOGDAN"}));
  EXPECT_EQ(window_->previousBalance()->text(), "Sold precedent : 900");
  EXPECT_EQ(window_->totalReceived()->text(), "Total incasat : 440");
  EXPECT_EQ(window_->totalPaid()->text(), "Total platit : 40");
  EXPECT_EQ(window_->carriedForward()->text(), "De reportat : 1300");

  cashier->setCurrentText("BOGDAN");
  EXPECT_EQ(gridRows().size(), 2);
  EXPECT_EQ(window_->previousBalance()->text(), "Sold precedent : 0");
  EXPECT_EQ(window_->carriedForward()->text(), "De reportat : 20");
  window_->day()->setDate(kToday.addDays(1));
  EXPECT_TRUE(gridRows().isEmpty());
  EXPECT_EQ(window_->previousBalance()->text(), "Sold precedent : 20");
}

TEST_F(CashRegisterWindowTest, AMovementTypedInTheDialogIsStoredAndShown) {
  cash::CashMovementDialog* dialog = window_->movementDialog();
  whenShown([dialog] {
    EXPECT_EQ(dialog->day()->date(), kToday);
    dialog->document()->setEditText("Chitanta diverse 8");
    dialog->kind()->setCurrentText("INCASARE");
    dialog->amount()->setText("");
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);  // no amount: stays open
    EXPECT_TRUE(dialog->isVisible());
    dialog->amount()->setText("75");
    QTest::keyClick(dialog->amount(), Qt::Key_Return);  // Enter on the amount stores
  });
  window_->add();
  ASSERT_EQ(interaction.problems.size(), 1);
  EXPECT_EQ(interaction.problems[0].text, "Lipseste Suma!");
  EXPECT_TRUE(gridRows().contains("Chitanta diverse 8|0|75|ANA"));
  EXPECT_EQ(window_->totalReceived()->text(), "Total incasat : 515");
  EXPECT_TRUE(storedMovements().contains("100|12.05.2026|Chitanta diverse 8|0|75|ANA"));
}

TEST_F(CashRegisterWindowTest, SummaryRowsAndCashiersAreRefusedTheChange) {
  window_->grid()->selectRow(0);  // a summary row
  window_->modify();
  window_->remove();
  context_.user.level = UserLevel::Cashier;
  window_->grid()->selectRow(2);
  window_->modify();
  QStringList problems;
  for (const auto& p : interaction.problems) problems.append(p.text);
  EXPECT_EQ(problems, QStringList({"Nu puteti modifica decat operatiunile introduse manual!",
                                   "Nu puteti sterge linia selectata!", "Nu aveti ce cauta aici!"}));
  EXPECT_EQ(storedMovements().size(), 1);
}

TEST_F(CashRegisterWindowTest, TheRegisterIsSavedInTheProgramFolderAndOpened) {
  window_->listRegister();
  ASSERT_EQ(opened_, QStringList{QDir(programDir()).filePath("Rap0.xlsx")});
  EXPECT_TRUE(interaction.messages.isEmpty());
}

TEST_F(CashRegisterWindowTest, ThePeriodDialogRefusesAnEndBeforeTheStartAndKeepsTheLastChoice) {
  whenShown([this] {
    EXPECT_FALSE(period_->transfers()->isVisible());
    period_->first()->setDate(QDate(2026, 5, 10));
    period_->last()->setDate(QDate(2026, 5, 1));
    QTest::keyClick(period_->last(), Qt::Key_Return);
    EXPECT_TRUE(period_->isVisible());
    period_->last()->setDate(QDate(2026, 5, 31));
    QTest::keyClick(period_->last(), Qt::Key_Return);
  });
  const auto chosen = period_->ask(false);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->first, QDate(2026, 5, 10));
  EXPECT_EQ(chosen->last, QDate(2026, 5, 31));
  ASSERT_EQ(interaction.problems.size(), 1);
  EXPECT_EQ(interaction.problems[0].text, "Perioada incorecta!");
  EXPECT_EQ(interaction.problems[0].field, "Data1");

  whenShown([this] {
    EXPECT_TRUE(period_->transfers()->isVisible());
    EXPECT_EQ(period_->first()->date(), QDate(2026, 5, 10));  // as last chosen
    period_->transfers()->setChecked(true);
    period_->chooseButton()->click();
  });
  const auto again = period_->ask(true);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->withTransfers);
}

}  // namespace
}  // namespace dajdor::testing
