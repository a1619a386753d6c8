// The page of the year's operations in the register window and its three
// dialogs, driven as the operator does; screenshots of each.
#include "store/qt_printers.h"
#include "register/debit_dialog.h"
#include "register/fine_dialog.h"
#include "register/fixed_tax_dialog.h"
#include "register/register_window.h"
#include "register/taxpayer_fixture.h"
#include "register/year_operations_widget.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "store/village_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace dajdor::testing {
namespace {

using reg::YearOperationsWidget;

class YearOperationsWidgetTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    owner_ = add("VALE", "5", "ANTON MARIA");
    add("VALE", "6", "BARBU ANA");
    writeVillageFile(dataDir(), {"VALE"});
    context_.paths = Paths::forAppDir(dir_.path());
    context_.database = std::make_unique<engine::Database>(dataDir().toStdString());
    context_.interaction = &ui_;
    context_.villages = {"VALE"};
    context_.clock.setFixed(QDateTime(QDate(2014, 6, 10), QTime(9, 0)));
    window_ = std::make_unique<reg::RegisterWindow>(context_);
    window_->openRegister();
    window_->resize(1280, 700);
    page_ = window_->yearPage();
  }
  // The operator opens the page of the year for the taxpayer shown.
  void openYearPage() {
    window_->findChild<QListWidget*>("ListView1")->setCurrentRow(13);
    ASSERT_EQ(window_->activePage(), reg::RegisterWindow::kYearPage);
  }
  // Runs `act` on the dialog once it is shown modally; closes it if `act` left it open.
  static void whenShown(QDialog* dialog, std::function<void()> act) {
    QTimer::singleShot(0, dialog, [dialog, act] {
      act();
      if (dialog->isVisible()) dialog->reject();
    });
  }
  static void grab(QWidget* widget, const QString& file) {
    QApplication::processEvents();
    widget->grab().save("/tmp/" + file);
  }
  template <typename W>
  static W* in(QWidget* parent, const QString& name) {
    W* w = parent->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  static QString cell(QTableWidget* grid, int row, int column) {
    return grid->item(row, column) ? grid->item(row, column)->text() : QString();
  }

  AppContext context_;
  std::unique_ptr<reg::RegisterWindow> window_;
  YearOperationsWidget* page_ = nullptr;
  std::int64_t owner_ = 0;
};

TEST_F(YearOperationsWidgetTest, TheOperatorAddsChangesAndDeletesAFine) {
  window_->show();
  openYearPage();
  for (const char* name : {"ConvexBtn5", "ConvexBtn6", "ConvexBtn8", "LbButton5", "ConvexBtn2", "ConvexBtn3",
                           "ConvexBtn4", "LbSpeedButton6"})
    EXPECT_TRUE(in<QPushButton>(page_, name)->isEnabled()) << name;
  reg::FineDialog* dialog = page_->fineDialog();
  whenShown(dialog, [&] {
    EXPECT_EQ(in<QLabel>(dialog, "HeaderLabel")->text(), "Adaugare Taxa / Amenda");
    in<QComboBox>(dialog, "CreantaBox")->setCurrentText("Paza");
    in<QLineEdit>(dialog, "DOCJUS")->setText(QStringLiteral("PV \"contraventie\" ştampilat"));
    in<QLineEdit>(dialog, "Suma")->setText("150");
    grab(dialog, "year-fine-dialog.png");
    in<QPushButton>(dialog, "Memoreaza")->click();
  });
  in<QPushButton>(page_, "ConvexBtn5")->click();
  auto* grid = in<QTableWidget>(page_, "TaxeGrid");
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(cell(grid, 0, 0), "Paza");
  EXPECT_EQ(cell(grid, 0, 1), "10.06.2014");
  EXPECT_EQ(cell(grid, 0, 3), QStringLiteral("PV \"contraventie\" ştampilat"));
  EXPECT_EQ(cell(grid, 0, 4), "150");
  grab(window_.get(), "year-page.png");

  whenShown(dialog, [&] {
    EXPECT_EQ(in<QLabel>(dialog, "HeaderLabel")->text(), "Modifcare Taxa / Amenda");
    EXPECT_EQ(in<QLineEdit>(dialog, "Suma")->text(), "150");
    in<QLineEdit>(dialog, "Suma")->setText("100");
    in<QLineEdit>(dialog, "Rest")->setText("20");  // both at once: refused, the dialog stays
    in<QPushButton>(dialog, "Memoreaza")->click();
    EXPECT_TRUE(dialog->isVisible());
    in<QLineEdit>(dialog, "Rest")->setText("0");
    in<QPushButton>(dialog, "Memoreaza")->click();
  });
  emit grid->cellDoubleClicked(0, 0);
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu puteti adauga si Curent si Restanta simultan!");
  EXPECT_EQ(cell(grid, 0, 4), "100");

  in<QPushButton>(page_, "ConvexBtn8")->click();
  EXPECT_EQ(ui_.messages.last().text, "Sunteti sigur ca vreti sa stergeti taxa/amenda?");
  EXPECT_EQ(grid->rowCount(), 0);
  ui_.problems.clear();
  in<QPushButton>(page_, "ConvexBtn6")->click();
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu aveti ce modifica!");
  EXPECT_EQ(ui_.problems[0].field, "TaxeGrid");
}

TEST_F(YearOperationsWidgetTest, TheDebitDialogFollowsTheGroupCategoryAndVehicle) {
  reg::DebitDialog* dialog = page_->debitDialog();
  dialog->fill(reg::DebitDialog::kAddHeader, dialog->blank(false));
  dialog->show();
  auto* group = in<QComboBox>(dialog, "ImpozitBox");
  const QStringList tabs = {"ConF", "TI", "TE", "ITM"};
  for (int i = 0; i < group->count(); ++i) {
    group->setCurrentIndex(i);
    EXPECT_EQ(dialog->shownTab(), tabs[i]);
    grab(dialog, QStringLiteral("year-debit-%1.png").arg(tabs[i]));
  }
  in<QComboBox>(dialog, "CategBox")->setCurrentText("Vanzare");
  EXPECT_EQ(in<QLabel>(dialog, "NrLabel")->text(), "BS");
  in<QComboBox>(dialog, "CategBox")->setCurrentText("Majorare");
  EXPECT_EQ(in<QLabel>(dialog, "NrLabel")->text(), "BD");
  auto* vehicle = in<QComboBox>(dialog, "ITMCategBox");
  EXPECT_EQ(vehicle->count(), 117);
  vehicle->setCurrentText("Vapoare");
  EXPECT_TRUE(in<QLineEdit>(dialog, "Capac")->isVisible());
  EXPECT_FALSE(in<QLineEdit>(dialog, "BucE")->isVisible());
  EXPECT_EQ(in<QLabel>(dialog, "CapacUnit")->text(), "total tdw");
  vehicle->setCurrentText("Barca cu motor");
  EXPECT_FALSE(in<QLineEdit>(dialog, "Capac")->isVisible());
  EXPECT_TRUE(in<QLineEdit>(dialog, "BucE")->isVisible());
  group->setCurrentIndex(1);
  in<QComboBox>(dialog, "TICategBox")->setCurrentText("Vie");
  EXPECT_EQ(in<QLabel>(dialog, "UnitLabel3")->text(), "ha");

  dialog->fill(reg::DebitDialog::kAddHeader, dialog->blank(true));
  EXPECT_EQ(dialog->shownTab(), "ConJ") << "a legal person's buildings";
  EXPECT_EQ(in<QComboBox>(dialog, "ZonaCon1")->currentText(), context_.rates.defaultZone());
  grab(dialog, "year-debit-ConJ.png");
  dialog->reject();
}

TEST_F(YearOperationsWidgetTest, APurchaseIsAddedFromTheDialog) {
  window_->show();
  openYearPage();
  reg::DebitDialog* dialog = page_->debitDialog();
  whenShown(dialog, [&] {
    EXPECT_EQ(in<QLabel>(dialog, "HeaderLabel")->text(), "Adaugare Debit");
    in<QComboBox>(dialog, "ImpozitBox")->setCurrentText("Impozit pe teren intravilan");
    in<QLineEdit>(dialog, "Supraf3")->setText("350");
    in<QComboBox>(dialog, "Zona3")->setCurrentText("C");
    in<QLineEdit>(dialog, "SUMA")->setText("42");
    in<QPushButton>(dialog, "Memoreaza")->click();
  });
  in<QPushButton>(page_, "ConvexBtn2")->click();
  auto* grid = in<QTableWidget>(page_, "DebiteGrid");
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(cell(grid, 0, 2), "Impozit pe teren intravilan");
  EXPECT_EQ(cell(grid, 0, 3), "Cumparare");
  EXPECT_EQ(cell(grid, 0, 4), "42");
  EXPECT_EQ(rows("SELECT DENUM, FISIER, CAMP1, VAL1, PENDATA FROM %1", "Debit.dbf"),
            QStringList{"Curti-constructii|PAG4|CCC|350|01.08.2014"});
}

TEST_F(YearOperationsWidgetTest, TheVillageDialogInBothModes) {
  window_->show();
  openYearPage();
  in<QPushButton>(page_, "LbButton5")->click();
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Alegeti mai intai o localitate!");
  auto* village = window_->findChild<QWidget*>("IdentificareP")->findChild<QComboBox*>("SatCombo");
  village->setCurrentIndex(village->findText("VALE"));

  reg::FixedTaxDialog* dialog = page_->fixedTaxDialog();
  whenShown(dialog, [&] {
    EXPECT_EQ(dialog->windowTitle(), "Adauga taxa la toti");
    EXPECT_EQ(in<QLabel>(dialog, "HeaderLabel")->text(), "Definire taxa");
    EXPECT_EQ(in<QLabel>(dialog, "CantLabel")->text(), "Valoare");
    EXPECT_EQ(in<QComboBox>(dialog, "Taxa")->currentText(), "Auto neinmatriculate");
    EXPECT_TRUE(in<QCheckBox>(dialog, "CuCase")->isVisible());
    in<QComboBox>(dialog, "Taxa")->setCurrentText("Salubritate");
    in<QLineEdit>(dialog, "Cant")->setText("30");
    grab(dialog, "year-village-tax.png");
    in<QPushButton>(dialog, "Adauga")->click();
  });
  in<QPushButton>(page_, "LbButton5")->click();
  ASSERT_FALSE(ui_.messages.isEmpty());
  EXPECT_EQ(ui_.messages.last().text, "Taxa Salubritate, in valoare de 30 lei\ra fost adaugata la toata localitatea VALE.");
  EXPECT_EQ(in<QTableWidget>(page_, "TaxeGrid")->rowCount(), 1) << "the fines grid shows the new tax";

  whenShown(dialog, [&] {
    EXPECT_EQ(dialog->windowTitle(), "Alte taxe");
    EXPECT_EQ(in<QLabel>(dialog, "HeaderLabel")->text(), "Stabilire cantitate");
    EXPECT_EQ(in<QComboBox>(dialog, "Taxa")->currentText(), "Concesionari");
    EXPECT_FALSE(in<QCheckBox>(dialog, "CuCase")->isVisible());
    in<QComboBox>(dialog, "Taxa")->setCurrentText("Paza");
    in<QLineEdit>(dialog, "Cant")->setText("2");
    grab(dialog, "year-village-quantity.png");
    QTest::keyClick(in<QLineEdit>(dialog, "Cant"), Qt::Key_Return);  // Enter in the last input adds
  });
  in<QPushButton>(page_, "LbSpeedButton6")->click();
  ASSERT_FALSE(ui_.messages.isEmpty());
  EXPECT_EQ(ui_.messages.last().text, "Taxa a fost stabilita la toata localitatea.");
  EXPECT_EQ(rows("SELECT DISTINCT LIN5 FROM %1", "Pag7.dbf"), QStringList{"2"});
}

}  // namespace
}  // namespace dajdor::testing
