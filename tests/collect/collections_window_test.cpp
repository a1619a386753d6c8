// The collections window as a cashier uses it: amounts typed and double-clicks
// on the three grids, "Valoare chitanta", the date, the locked year.
#include "collect/collect_window_fixture.h"
#include "collect/collections_window.h"
#include "collect/debt_details_dialog.h"
#include "collect/work_table_grid_widget.h"

#include "store/qt_printers.h"
#include "store/sql_helpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QDateEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace dajdor::testing {
namespace {

using collect::CollectionsWindow;
using collect::WorkTable;

class CollectionsWindowTest : public CollectWindowTest {
 protected:
  void SetUp() override {
    CollectWindowTest::SetUp();
    add(StoredTaxpayer{});
    add(StoredBalance{.group = "Impozit pe cladiri", .suma = 120, .rest = 120});  // due 120
    add(StoredBalance{.group = "Impozit pe teren intravilan", .depoz = 200});    // a credit of 200
    add(StoredDebt{.suma = 50, .rest = 20, .reduc = 5, .nr = 4});               // due 65
    add(StoredDebit{.category = "Vanzare", .initial = 300, .unpaid = 300, .nr = 9});
  }
  void open() {
    window_ = std::make_unique<CollectionsWindow>(context_);
    ASSERT_TRUE(window_->openFor(1, "DEALU"));
    window_->resize(1366, 768);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  collect::WorkTableGrid* grid(WorkTable t) { return window_->grid(t); }
  QModelIndex paidCell(WorkTable t, int row) {
    return grid(t)->model()->index(row, grid(t)->workModel()->columnOf("ACHITAT"));
  }
  QString paidText(WorkTable t, int row) { return paidCell(t, row).data().toString(); }
  // Selects the line's ACHITA cell and types the amount, as at the desk.
  void type(WorkTable t, int row, const QString& amount) {
    collect::WorkTableGrid* g = grid(t);
    g->setFocus();
    g->setCurrentIndex(paidCell(t, row));
    QTest::keyClicks(g, amount.left(1));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, g) << "no editor opened";
    QTest::keyClicks(editor, amount.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits the editor's value on its next turn
  }
  void doubleClick(WorkTable t, int row) {
    collect::WorkTableGrid* g = grid(t);
    const QRect cell = g->visualRect(g->model()->index(row, 0));
    // A real double-click: a click, then the second press the system reports as a double-click.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::unique_ptr<CollectionsWindow> window_;
};

TEST_F(CollectionsWindowTest, TypedAmountsAndDoubleClicksMakeTheReceiptValue) {
  open();
  EXPECT_EQ(window_->totalText(), "285");  // 120 - 200 + 65 + 300
  EXPECT_EQ(window_->receiptValueText(), "0");
  grab(window_.get(), "collections.png");

  type(WorkTable::Taxes, 0, "-5");  // no credit on that line: the whole amount due
  EXPECT_EQ(paidText(WorkTable::Taxes, 0), "120");
  EXPECT_EQ(window_->receiptValueText(), "120");
  type(WorkTable::Taxes, 1, "-500");  // at most the credit
  EXPECT_EQ(paidText(WorkTable::Taxes, 1), "-200");
  EXPECT_EQ(window_->receiptValueText(), "-80");
  type(WorkTable::OtherTaxes, 0, "100");  // no overpayment of other taxes
  EXPECT_EQ(paidText(WorkTable::OtherTaxes, 0), "65");
  doubleClick(WorkTable::Debits, 0);
  EXPECT_EQ(paidText(WorkTable::Debits, 0), "300");
  EXPECT_EQ(window_->receiptValueText(), "285");
  grab(window_.get(), "collections-amounts.png");
  doubleClick(WorkTable::Debits, 0);
  EXPECT_EQ(paidText(WorkTable::Debits, 0), "0");
  doubleClick(WorkTable::Taxes, 0);  // 120 entered: back to nothing
  EXPECT_EQ(window_->receiptValueText(), "-135");

  // Another date: the balance anew, the typed amounts gone.
  window_->calculationDate()->setDate(QDate(2014, 10, 15));
  EXPECT_EQ(window_->receiptValueText(), "0");
  EXPECT_EQ(paidText(WorkTable::Taxes, 1), "0");
  EXPECT_EQ(window_->totalText(), QString::number(120 + 9 - 200 + 65 + 300));  // 7 + 2 lei penalties
}

TEST_F(CollectionsWindowTest, HeaderLockedYearAndTheNoPenaltiesMark) {
  context_.rates.setOption("ADMINBLOCAT2014", true);
  open();
  EXPECT_EQ(window_->findChild<QLabel*>("NUMEP")->text(), "POPESCU ION");
  EXPECT_FALSE(window_->findChild<QPushButton*>("OperBut")->isVisible());
  EXPECT_FALSE(window_->findChild<QPushButton*>("FaraDebit")->isVisible());
  EXPECT_FALSE(window_->findChild<QPushButton*>("AdaugaTaxa")->isVisible());
  EXPECT_FALSE(window_->findChild<QPushButton*>("CertificatFiscal")->isEnabled());
  EXPECT_TRUE(window_->findChild<QPushButton*>("DetaliiDebite")->isEnabled());
  EXPECT_TRUE(window_->findChild<QPushButton*>("DetaliiAuto")->isEnabled());
  EXPECT_FALSE(window_->findChild<QLabel*>("NOTAX")->isVisible());
  EXPECT_TRUE(window_->findChild<QWidget*>("SCAUTO")->property("checked").toBool());
  window_->reject();

  context_.rates.setOption("FARAMAJORARI", true);
  open();
  EXPECT_TRUE(window_->findChild<QLabel*>("NOTAX")->isVisible());
  EXPECT_EQ(window_->findChild<QLabel*>("NOTAX")->text(), "NU");
  // Closing deletes the work tables.
  EXPECT_TRUE(QFile::exists(QDir(appDir()).filePath("Impozite0.dbf")));
  window_->reject();
  EXPECT_FALSE(QFile::exists(QDir(appDir()).filePath("Impozite0.dbf")));
}

TEST_F(CollectionsWindowTest, DebtDetailsListTheDocumentsAndTheArrears) {
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "SoldCalc.dbf") + " SET DATORI=40 WHERE GRUPA=" +
                         sql::quote("Impozit pe cladiri"));
  collect::DebtDetailsDialog dialog(context_);
  ASSERT_TRUE(dialog.openFor("POPESCU ION - detalii debite", 1));
  dialog.resize(1100, 400);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  grab(&dialog, "debt-details.png");
  QTableWidget* table = dialog.table();
  ASSERT_EQ(table->rowCount(), 3);
  QStringList groups;
  for (int r = 0; r < 3; ++r) groups.append(table->item(r, 1)->text() + "|" + table->item(r, 2)->text());
  EXPECT_EQ(groups, (QStringList{"Impozit pe cladiri|*** Lista Ramasite", "Impozit pe cladiri|Autoturism",
                                 "Taxa salubrizare|Taxa salubrizare"}));
  EXPECT_EQ(table->item(0, 7)->text(), "40");
  EXPECT_EQ(table->item(1, 8)->text(), "300");
}

}  // namespace
}  // namespace dajdor::testing
