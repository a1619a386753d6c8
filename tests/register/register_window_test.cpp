#include "register/assessment_page_widget.h"
#include "register/register_window.h"
#include "register/taxpayer_editor_dialog.h"
#include "register/taxpayer_fixture.h"
#include "register/taxpayer_register.h"
#include "session/app_context.h"
#include "store/qt_printers.h"
#include "store/village_file.h"
#include "support/modal_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace dajdor::reg;

namespace dajdor::testing {
namespace {

class RegisterWindowTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    add("VALE", "5", "ANTON MARIA");
    add("VALE", "6", "BARBU ANA");
    add("DEAL", "7", "RUS PETRU");
    writeVillageFile(dataDir(), {"VALE", "DEAL"});
    context_.paths = Paths::forAppDir(dir_.path());
    context_.database = std::make_unique<engine::Database>(dataDir().toStdString());
    context_.interaction = &ui_;
    context_.villages = {"VALE", "DEAL"};
    window_ = std::make_unique<RegisterWindow>(context_);
    window_->openRegister();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  // A control of the window, or of `in`; the register page's search inputs
  // share their names with the editor's, so they are looked up on that page.
  template <typename W>
  W* find(const QString& name, QWidget* in = nullptr) {
    QWidget* where = in ? in : window_->findChild<QWidget*>("IdentificareP")->findChild<W*>(name)
                                   ? window_->findChild<QWidget*>("IdentificareP")
                                   : window_.get();
    W* widget = where->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  // The user picks a village from the combo.
  void chooseVillage(const QString& name) {
    auto* village = find<QComboBox>("SatCombo");
    village->setCurrentIndex(village->findText(name));
    emit village->activated(village->currentIndex());
  }
  QString total() { return find<QLabel>("TotalGosp")->text(); }
  QString currentName() {
    const auto t = window_->list().currentTaxpayer();
    return t ? t->name : QString();
  }
  // Runs `act` on the modal dialog as soon as one is shown (buttons pressed by
  // their Alt key click a moment later).
  void whenModal(std::function<void(QWidget*)> act) { testing::whenModal(window_.get(), std::move(act)); }
  static void grab(QWidget* widget, const QString& file) {
    const QString dir = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
    QDir().mkpath(dir);
    QApplication::processEvents();
    widget->grab().save(dir + "/" + file);
  }
  // Types into the input that has the focus, checking it is the expected one, then Enter.
  static void typeInto(const QString& expected, const QString& text, bool replace = false) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << expected.toStdString();
    // An editable combo's line edit holds the focus for the combo.
    QWidget* input = qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
    ASSERT_EQ(input->objectName(), expected);
    if (replace) QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    if (replace && qobject_cast<QLineEdit*>(focus) && expected == TaxpayerField::Code) {
      // The code input takes no shortcuts: its text goes with Backspace.
      while (!qobject_cast<QLineEdit*>(focus)->text().isEmpty()) QTest::keyClick(focus, Qt::Key_Backspace);
    }
    if (text == " ")
      QTest::keyClick(focus, Qt::Key_Space);
    else if (!text.isEmpty())
      QTest::keyClicks(focus, text);
    QTest::keyClick(focus, Qt::Key_Return);
  }

  AppContext context_;
  std::unique_ptr<RegisterWindow> window_;
};

TEST_F(RegisterWindowTest, AnOperatorAddsATaxpayerByEnterAndFindsHimByNameAndByRole) {
  EXPECT_EQ(total(), "Total gospodarii afisate: 3");
  bool editorSeen = false;
  whenModal([&](QWidget* editor) {
    editorSeen = true;
    EXPECT_EQ(editor->windowTitle(), "Adaugare gospodarie");
    EXPECT_EQ(find<QLineEdit>("ROLEd", editor)->text(), "8");  // the proposed role
    EXPECT_EQ(find<QComboBox>("SatCombo", editor)->currentText(), "VALE");
    typeInto("SatCombo", "munte", true);
    typeInto("ROLEd", "");
    typeInto("CapGosp", "popescu   ion");
    typeInto("CNP1", "1800101221144");
    EXPECT_EQ(find<QLabel>("CodeMeaning", editor)->text(), "nascut la 01.01.1980, masculin");
    typeInto("Adresa", "Str. \"Morii\" 3");
    typeInto("TipEd", "");
    typeInto("Memo1", "vecin cu scoala");
    typeInto("SCCLAD", " ");
    typeInto("SCCC", "");
    typeInto("SCAUTO", " ");
    typeInto("SCTI", "");
    grab(editor, "register-add-taxpayer.png");
    typeInto("SCTE", "150", true);
  });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
  ASSERT_TRUE(waitFor([&] { return editorSeen && !QApplication::activeModalWidget(); }));

  const auto added = window_->list().currentTaxpayer();
  ASSERT_TRUE(added);
  EXPECT_EQ(added->village, "MUNTE");
  EXPECT_EQ(added->role, "8");
  EXPECT_EQ(added->name, "POPESCU ION");
  EXPECT_EQ(added->code, "1800101221144");
  EXPECT_EQ(added->address, "Str. \"Morii\" 3");
  EXPECT_EQ(added->observations, "vecin cu scoala");
  EXPECT_TRUE(added->exemptBuildings && added->exemptVehicles);
  EXPECT_FALSE(added->exemptYard || added->exemptInside);
  EXPECT_EQ(added->exemptOutside, 150);
  EXPECT_EQ(find<QComboBox>("SatCombo")->currentText(), "MUNTE");
  EXPECT_EQ(readVillageFile(dataDir()), (QStringList{"VALE", "DEAL", "MUNTE"}));
  EXPECT_EQ(find<QLabel>("SCTELab")->text(), "150 lei.");
  grab(window_.get(), "register-after-add.png");
  EXPECT_EQ(rows("SELECT IDGOS FROM %1 WHERE IDGOS=" + QString::number(added->idgos), "Pag5.dbf").size(), 1);

  // Found by name within all of the register.
  chooseVillage("VALE");
  EXPECT_EQ(total(), "Total gospodarii afisate: 2");
  auto* name = find<QLineEdit>("CapGosp");
  auto* role = find<QLineEdit>("ROLEd");
  QTest::keyClicks(name, "b");
  EXPECT_EQ(name->text(), "B");
  EXPECT_EQ(currentName(), "BARBU ANA");
  EXPECT_EQ(role->text(), "6");
  chooseVillage("MUNTE");
  name->clear();
  QTest::keyClicks(name, "POP");
  EXPECT_EQ(currentName(), "POPESCU ION");
  EXPECT_EQ(find<QTableView>("DBGrid1")->currentIndex().row(), window_->list().current());

  // Found by role: exactly that role, and an unknown role empties the list.
  role->clear();
  QTest::keyClicks(role, "8");
  EXPECT_EQ(total(), "Total gospodarii afisate: 1");
  EXPECT_EQ(currentName(), "POPESCU ION");
  QTest::keyClicks(role, "9");
  EXPECT_EQ(total(), "Total gospodarii afisate: 0");
  EXPECT_EQ(find<QLabel>("TIPLab")->text(), "");
  grab(window_.get(), "register-empty-search.png");
}

TEST_F(RegisterWindowTest, EscapeLeavesTheEditorWithoutStoring) {
  whenModal([](QWidget* editor) {
    QTest::keyClicks(QApplication::focusWidget(), "NOU");
    QTest::keyClick(editor, Qt::Key_Escape);
  });
  find<QPushButton>("AddGospodarie")->click();
  EXPECT_EQ(rows("SELECT IDGOS FROM %1", "Gospodar.dbf").size(), 3);
  EXPECT_EQ(total(), "Total gospodarii afisate: 3");
}

TEST_F(RegisterWindowTest, AChangeOfVillageShowsTheTaxpayerInHisNewVillage) {
  chooseVillage("DEAL");
  whenModal([&](QWidget* editor) {
    EXPECT_EQ(editor->windowTitle(), "Modificare gospodarie");
    EXPECT_EQ(find<QLineEdit>("CapGosp", editor)->text(), "RUS PETRU");
    auto* combo = find<QComboBox>("SatCombo", editor);
    combo->setCurrentIndex(combo->findText("VALE"));
    find<QPushButton>("Memoreaza", editor)->click();
  });
  find<QPushButton>("LbSpeedButton3")->click();
  EXPECT_EQ(find<QComboBox>("SatCombo")->currentText(), "VALE");
  EXPECT_EQ(currentName(), "RUS PETRU");
  EXPECT_EQ(total(), "Total gospodarii afisate: 3");
}

TEST_F(RegisterWindowTest, AChangeKeepsAVillageTheVillageFileDoesNotList) {
  writeVillageFile(dataDir(), {"VALE"});
  chooseVillage("DEAL");
  whenModal([&](QWidget* editor) {
    EXPECT_EQ(find<QComboBox>("SatCombo", editor)->currentText(), "DEAL");
    find<QPushButton>("Memoreaza", editor)->click();
  });
  find<QPushButton>("LbSpeedButton3")->click();
  EXPECT_EQ(window_->list().currentTaxpayer()->village, "DEAL");
  EXPECT_EQ(rows("SELECT SATUL FROM %1 WHERE ROL=\"7\"", "Gospodar.dbf"), QStringList{"DEAL"});
}

TEST_F(RegisterWindowTest, DeletingTheOnlyTaxpayerOfTheVillageLeavesAnEmptyList) {
  chooseVillage("DEAL");
  ASSERT_EQ(total(), "Total gospodarii afisate: 1");
  find<QPushButton>("LbSpeedButton4")->click();  // four times "DA"
  EXPECT_EQ(ui_.messages.size(), 4);
  EXPECT_EQ(total(), "Total gospodarii afisate: 0");
  EXPECT_FALSE(window_->list().currentTaxpayer());
  ui_.messages.clear();
  find<QPushButton>("LbSpeedButton4")->click();
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu aveti ce sterge!");
  EXPECT_EQ(ui_.problems[0].field, "DBGrid1");
  EXPECT_TRUE(ui_.messages.isEmpty());
}

TEST_F(RegisterWindowTest, APageEditedAndLeftIsStoredOnDaAndShownAgainLater) {
  auto* navigator = find<QListWidget>("ListView1");
  ASSERT_EQ(navigator->count(), 14);
  grab(window_.get(), "register.png");
  const std::int64_t idgos = window_->list().currentTaxpayer()->idgos;
  for (int item = 2; item <= 12; ++item) {
    navigator->setCurrentRow(item);
    ASSERT_EQ(window_->activePage(), item - 1);
    EXPECT_TRUE(find<QWidget>("AfisSus")->isVisible());
    grab(window_.get(), QStringLiteral("register-page-%1.png").arg(item - 1, 2, 10, QChar('0')));
  }
  navigator->setCurrentRow(8);  // other taxes
  AssessmentPageWidget* page = window_->page(7);
  auto* lighting = qobject_cast<QLineEdit*>(page->input("Alte2"));
  ASSERT_NE(lighting, nullptr);
  lighting->setFocus();
  lighting->selectAll();
  QTest::keyClicks(lighting, "3");
  EXPECT_TRUE(find<QWidget>("Modi7")->isVisible());
  grab(window_.get(), "register-page-modified.png");

  ui_.queueAnswer(Answer::Da);
  navigator->setCurrentRow(0);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Date nememorate");
  EXPECT_EQ(ui_.messages[0].text, "Ati facut modificari in pagina si nu le-ati memorat!\rDoriti sa le memorati?");
  EXPECT_EQ(window_->activePage(), 0);
  EXPECT_EQ(rows("SELECT LIN2 FROM %1 WHERE IDGOS=" + QString::number(idgos), "Pag7.dbf"), QStringList{"3"});

  window_->close();
  window_->openRegister();
  navigator->setCurrentRow(8);
  EXPECT_EQ(qobject_cast<QLineEdit*>(window_->page(7)->input("Alte2"))->text(), "3");
  EXPECT_FALSE(find<QWidget>("Modi7")->isVisible());

  // "NU" leaves the page and forgets the edit.
  lighting->selectAll();
  QTest::keyClicks(lighting, "9");
  ui_.queueAnswer(Answer::Nu);
  navigator->setCurrentRow(0);
  EXPECT_EQ(rows("SELECT LIN2 FROM %1 WHERE IDGOS=" + QString::number(idgos), "Pag7.dbf"), QStringList{"3"});
}

TEST_F(RegisterWindowTest, APageItsCheckRefusesStaysOnScreenWithTheTypedValues) {
  const std::int64_t idgos = window_->list().currentTaxpayer()->idgos;
  auto* navigator = find<QListWidget>("ListView1");
  navigator->setCurrentRow(12);  // arrears
  AssessmentPageWidget* arrears = window_->page(11);
  for (const char* input : {"Sold1", "NumericEdit12"}) {
    auto* edit = qobject_cast<QLineEdit*>(arrears->input(input));
    edit->selectAll();
    QTest::keyClicks(edit, "100");
  }
  ui_.queueAnswer(Answer::Da);
  navigator->setCurrentRow(0);
  EXPECT_EQ(window_->activePage(), 11);
  EXPECT_EQ(navigator->currentRow(), 12);
  EXPECT_TRUE(find<QWidget>("Modi11")->isVisible());
  EXPECT_EQ(qobject_cast<QLineEdit*>(arrears->input("Sold1"))->text(), "100");
  EXPECT_EQ(rows("SELECT SOLD1, LIN1 FROM %1 WHERE IDGOS=" + QString::number(idgos), "Pag8.dbf"),
            QStringList{"0|0"});
}

TEST_F(RegisterWindowTest, ClosingOnAnEditedPageOffersToStoreIt) {
  const std::int64_t idgos = window_->list().currentTaxpayer()->idgos;
  find<QListWidget>("ListView1")->setCurrentRow(8);
  auto* lighting = qobject_cast<QLineEdit*>(window_->page(7)->input("Alte2"));
  lighting->selectAll();
  QTest::keyClicks(lighting, "4");
  ui_.queueAnswer(Answer::Da);
  window_->reject();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(rows("SELECT LIN2 FROM %1 WHERE IDGOS=" + QString::number(idgos), "Pag7.dbf"), QStringList{"4"});
}

}  // namespace
}  // namespace dajdor::testing
