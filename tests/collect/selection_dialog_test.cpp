// "Lista de incasat", "Borderouri" and "Rapoarte" as the office fills them.
#include "collect/batch_select_dialog.h"
#include "collect/collect_window_fixture.h"
#include "collect/collection_list_dialog.h"
#include "collect/report_range_dialog.h"

#include "store/qt_printers.h"
#include "store/sql_helpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace dajdor::testing {
namespace {

class SelectionDialogTest : public CollectWindowTest {
 protected:
  void SetUp() override {
    CollectWindowTest::SetUp();
    add(StoredTaxpayer{.idgos = 1, .village = "VALE"});
    add(StoredTaxpayer{.idgos = 2, .village = "DEALU"});
  }
  void showAndGrab(QDialog& dialog, const QString& file) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    grab(&dialog, file);
  }
};

TEST_F(SelectionDialogTest, CollectionListRefusesADateInThePast) {
  collect::CollectionListDialog dialog(context_);
  ASSERT_TRUE(dialog.prepare(true));
  showAndGrab(dialog, "collection-list.png");
  auto* villages = dialog.findChild<QComboBox*>("SatulX");
  EXPECT_EQ(villages->currentText(), " * indiferent *");
  EXPECT_EQ(villages->count(), 3);
  EXPECT_TRUE(dialog.findChild<QComboBox*>("TipPers")->isVisible());
  dialog.findChild<QDateEdit*>("DataC")->setDate(QDate(2014, 3, 30));
  EXPECT_FALSE(dialog.confirm());
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Data aleasa nu poate fi din trecut!");
  EXPECT_EQ(ui_.problems[0].field, "DataC");
  dialog.findChild<QDateEdit*>("DataC")->setDate(QDate(2014, 4, 15));
  EXPECT_TRUE(dialog.confirm());
  EXPECT_EQ(dialog.calculationDate(), QDate(2014, 4, 15));

  ASSERT_TRUE(dialog.prepare(false));
  EXPECT_FALSE(dialog.findChild<QComboBox*>("TipPers")->isVisible());
}

TEST_F(SelectionDialogTest, BatchesListedAndChosen) {
  {
    collect::BatchSelectDialog empty(context_);
    ASSERT_TRUE(empty.prepare());
    EXPECT_FALSE(empty.choose());
    EXPECT_EQ(ui_.problems.value(0).text, "Nu aveti ce alege!");
  }
  add(StoredDebit{.initial = 100, .unpaid = 100, .nr = 0});
  {
    collect::BatchSelectDialog onlyZero(context_);
    EXPECT_FALSE(onlyZero.prepare());
    ASSERT_EQ(ui_.messages.size(), 1);
    EXPECT_EQ(ui_.messages[0].text, "Nu aveti nici un Borderou introdus!");
  }
  add(StoredDebit{.initial = 250, .unpaid = 250, .nr = 12});
  add(StoredDebit{.initial = -40, .unpaid = -40, .nr = 13});
  collect::BatchSelectDialog dialog(context_);
  ASSERT_TRUE(dialog.prepare());
  showAndGrab(dialog, "batch-select.png");
  ASSERT_EQ(dialog.table()->rowCount(), 3);
  EXPECT_EQ(dialog.table()->currentRow(), 2);  // on the last row
  EXPECT_TRUE(dialog.choose());
  EXPECT_EQ(dialog.chosenType(), "BS");
  EXPECT_EQ(dialog.chosenNumber(), "13");
}

TEST_F(SelectionDialogTest, ReportRangeChecksTheRolesAndKeepsWhatWasTyped) {
  add(StoredBalance{.idgos = 2});
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "SoldCalc.dbf") + " SET SATUL=" + sql::quote("DEALU"));
  collect::ReportRangeDialog dialog(context_);
  ASSERT_TRUE(dialog.prepare("Instiintari de plata"));
  showAndGrab(dialog, "report-range.png");
  EXPECT_EQ(dialog.village(), "DEALU");
  auto* first = dialog.findChild<QLineEdit*>("ROL0");
  auto* last = dialog.findChild<QLineEdit*>("ROL1");
  struct Case {
    const char* from;
    const char* to;
    const char* problem;
  } const cases[] = {{"6", "5", "Interval incorect!"}, {"", "", "Nu ati ales intervalul!"}, {"1", "20", ""}};
  for (const Case& c : cases) {
    ui_.problems.clear();
    first->setText(c.from);
    last->setText(c.to);
    EXPECT_EQ(dialog.confirm(), QString(c.problem).isEmpty()) << c.problem;
    EXPECT_EQ(ui_.problems.value(0).text, QString(c.problem));
  }
  ASSERT_TRUE(dialog.prepare("Somatii"));
  EXPECT_EQ(dialog.lastRol(), 20);
  EXPECT_EQ(dialog.calculationDate(), QDate(2014, 3, 31));
}

}  // namespace
}  // namespace dajdor::testing
