// The vehicle details under the vehicles page and their editor, driven as the
// user does, and the register window's buttons of the debt generation.
#include "register/register_window.h"
#include "register/taxpayer_fixture.h"
#include "register/vehicle_detail_dialog.h"
#include "register/vehicle_details_widget.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace dajdor::testing {
namespace {

using reg::VehicleDetailDialog;
using reg::VehicleDetailsWidget;

class VehicleDetailsWidgetTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    owner_ = add("VALE", "5", "ANTON MARIA");
    context_.paths = Paths::forAppDir(dir_.path());
    context_.database = std::make_unique<engine::Database>(dataDir().toStdString());
    context_.interaction = &ui_;
    context_.villages = {"VALE"};
  }
  // Fills the editor as soon as it is shown and presses "Memoreaza".
  void whenEditorShown(VehicleDetailDialog* dialog, const QString& capacity, const QString& chassis) {
    QTimer::singleShot(0, dialog, [dialog, capacity, chassis] {
      dialog->findChild<QLineEdit*>("Capacit")->setText(capacity);
      dialog->findChild<QLineEdit*>("Serie")->setText(chassis);
      dialog->findChild<QComboBox*>("Marca")->setCurrentText("DACIA");
      dialog->findChild<QPushButton*>("Memoreaza")->click();
      if (dialog->isVisible()) dialog->reject();  // refused: the editor stayed open
    });
  }
  static QString cell(QTableWidget* grid, int row, int column) {
    return grid->item(row, column) ? grid->item(row, column)->text() : QString();
  }

  AppContext context_;
  std::int64_t owner_ = 0;
};

TEST_F(VehicleDetailsWidgetTest, TheEditorRefusesACapacityUnderTen) {
  VehicleDetailDialog dialog(ui_);
  dialog.fill("Adauga Detalii", {});
  dialog.show();
  dialog.findChild<QLineEdit*>("Capacit")->setText("9");
  dialog.findChild<QPushButton*>("Memoreaza")->click();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Capacitate incorecta!");
  dialog.findChild<QLineEdit*>("Capacit")->setText("10");
  QTest::keyClicks(dialog.findChild<QLineEdit*>("NrDos"), "ab1");
  dialog.findChild<QLineEdit*>("Obs")->setFocus();
  QTest::keyClick(dialog.findChild<QLineEdit*>("Obs"), Qt::Key_Return);  // Enter in the last input stores
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result().capacity, 10);
  EXPECT_EQ(dialog.result().fileNumber, "AB1");
  EXPECT_EQ(dialog.result().type, "Autoturisme");
}

TEST_F(VehicleDetailsWidgetTest, AddChangeAndDeleteFromTheGrid) {
  VehicleDetailsWidget details(context_);
  details.show();
  auto* grid = details.findChild<QTableWidget*>("DetGrid");
  details.setTaxpayer(owner_);
  details.EditDetAutoClick();
  details.DelDetAutoClick();
  ASSERT_EQ(ui_.problems.size(), 2);
  EXPECT_EQ(ui_.problems[0].text, "Nu aveti ce modifica!");
  EXPECT_EQ(ui_.problems[1].text, "Nu aveti ce sterge!");

  whenEditorShown(details.dialog(), "1400", "uu1");
  details.findChild<QPushButton*>("AddDetAuto")->click();
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(cell(grid, 0, 2), "DACIA");
  EXPECT_EQ(cell(grid, 0, 3), "1400");
  EXPECT_EQ(cell(grid, 0, 4), "UU1");
  EXPECT_EQ(grid->item(0, 0)->toolTip(), "Marca: DACIA caros.:UU1, motor:");

  whenEditorShown(details.dialog(), "1600", "uu2");
  details.EditDetAutoClick();
  EXPECT_EQ(cell(grid, 0, 3), "1600");
  EXPECT_EQ(cell(grid, 0, 4), "UU2");

  whenEditorShown(details.dialog(), "5", "x");
  details.EditDetAutoClick();
  EXPECT_EQ(cell(grid, 0, 3), "1600") << "a refused capacity changes nothing";

  ui_.queueAnswer(Answer::Nu);
  details.DelDetAutoClick();
  EXPECT_EQ(grid->rowCount(), 1);
  details.DelDetAutoClick();
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(ui_.messages.last().title, "Stergere detaliu");
  EXPECT_EQ(ui_.messages.last().text, "Doriti sa stergeti detaliul din tabel?");

  whenEditorShown(details.dialog(), "1200", "v1");
  details.AddDetAutoClick();
  reg::VehicleDetailsViewerDialog viewer(context_, owner_);
  auto* shown = viewer.findChild<QTableWidget*>("AutoDetGrid");
  ASSERT_EQ(shown->rowCount(), 1);
  EXPECT_EQ(shown->horizontalHeaderItem(3)->text(), "Capacit. -cmc-");
  EXPECT_EQ(cell(shown, 0, 4), "V1");
}

TEST_F(VehicleDetailsWidgetTest, TheRegisterSendsTheShownTaxpayerAndTheWholeRegisterToPayment) {
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "Pag1.dbf") + " SET L1A=1");
  reg::RegisterWindow window(context_);
  window.openRegister();
  auto* one = window.findChild<QPushButton*>("AddLaPlata");
  auto* all = window.findChild<QPushButton*>("AddAllPlata");
  ASSERT_TRUE(one && all);
  EXPECT_TRUE(one->isEnabled());
  EXPECT_TRUE(all->isEnabled());
  one->click();
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu ati ales Localitatea!");
  auto* village = window.findChild<QWidget*>("IdentificareP")->findChild<QComboBox*>("SatCombo");
  village->setCurrentIndex(village->findText("VALE"));
  emit village->activated(village->currentIndex());
  one->click();
  ASSERT_FALSE(ui_.messages.isEmpty());
  EXPECT_EQ(ui_.messages.last().text, "5 a fost adaugat la plata.");
  ui_.messages.clear();
  all->click();
  ASSERT_EQ(ui_.messages.size(), 2);
  EXPECT_EQ(ui_.messages[1].text, "Au fost adaugate la plata 1 ROL-uri si respinse 0 ROL-uri.");

  ui_.messages.clear();
  window.show();
  window.StartAutoAddTimer();
  QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 6000);
  EXPECT_TRUE(ui_.messages.isEmpty()) << "unattended: nothing asked or told";
}

}  // namespace
}  // namespace dajdor::testing
