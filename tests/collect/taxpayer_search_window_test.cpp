// The search before the collections window, typed into as a cashier does.
#include "collect/collect_window_fixture.h"
#include "collect/taxpayer_search_window.h"

#include "store/qt_printers.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace dajdor::testing {
namespace {

class TaxpayerSearchWindowTest : public CollectWindowTest {
 protected:
  void SetUp() override {
    CollectWindowTest::SetUp();
    const char* names[] = {"POPESCU ION", "IONESCU MARIA", "VASILE ANA", "POPA GHEORGHE", "MARIN ION"};
    for (int i = 0; i < 5; ++i)
      add(StoredTaxpayer{.idgos = i + 1, .name = names[i], .village = i < 3 ? "DEALU" : "VALE",
                         .rol = QString::number(i + 1)});
  }
};

TEST_F(TaxpayerSearchWindowTest, TypingFiltersAndEnterChoosesTheSelectedTaxpayer) {
  const collect::TaxpayerSnapshot snapshot(*context_.database, dataDir(), appDir());
  collect::TaxpayerSearchWindow window(context_);
  window.prepare(snapshot);
  window.resize(1000, 600);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.listModel()->rowCount(), 5);
  grab(&window, "taxpayer-search.png");

  auto* name = window.findChild<QLineEdit*>("Nume");
  QTest::keyClicks(name, "ion");
  EXPECT_EQ(name->text(), "ION");
  ASSERT_EQ(window.listModel()->rowCount(), 3);  // IONESCU MARIA, MARIN ION, POPESCU ION
  // The last row is selected after each filtering.
  EXPECT_EQ(window.grid()->selectionModel()->selectedRows().first().row(), 2);
  // A column title sorts by that column and keeps the taxpayer selected (POPESCU ION, role 1).
  window.grid()->selectRow(2);
  const QRect rolTitle(window.grid()->horizontalHeader()->sectionViewportPosition(1), 0,
                       window.grid()->horizontalHeader()->sectionSize(1), window.grid()->horizontalHeader()->height());
  QTest::mouseClick(window.grid()->horizontalHeader()->viewport(), Qt::LeftButton, {}, rolTitle.center());
  EXPECT_EQ(window.listModel()->rowAt(0)->ROL, "1");
  EXPECT_EQ(window.grid()->selectionModel()->selectedRows().first().row(), 0);
  auto* village = window.findChild<QComboBox*>("Localitate");
  village->setCurrentText("VALE");
  ASSERT_EQ(window.listModel()->rowCount(), 1);
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(window.chosenTaxpayer(), 5);
  EXPECT_EQ(window.chosenVillage(), "VALE");

  // Shown again: the text fields are empty, the village stays.
  window.prepare(snapshot);
  window.show();
  EXPECT_TRUE(name->text().isEmpty());
  EXPECT_EQ(window.listModel()->rowCount(), 2);
  QTest::keyClicks(name, "NIMENI");
  EXPECT_EQ(window.listModel()->rowCount(), 0);
  EXPECT_FALSE(window.choose());
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu ati ales nimic!");
}

}  // namespace
}  // namespace dajdor::testing
