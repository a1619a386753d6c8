#include "admin/admin_fixture.h"
#include "store/qt_printers.h"
#include "admin/administration_window.h"
#include "admin/budget_code_editor_dialog.h"
#include "admin/budget_codes_window.h"
#include "admin/locality_editor_dialog.h"
#include "admin/settings_catalogue.h"
#include "admin/settings_page_widget.h"
#include "users/users_file.h"
#include "users/user_management.h"
#include "widgets/balloon_hint_widget.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/program_setup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

using namespace dajdor::admin;

namespace dajdor::testing {
namespace {

// A laptop's 1366 x 768 screen without its task bar.
const QRect kLaptopScreen(0, 0, 1366, 728);

class AdministrationWindowTest : public AdminTest {
 protected:
  std::unique_ptr<AdministrationWindow> openWindow(bool local = true) {
    setUpProgram(*qApp, "Dajdor 2014");  // the program's look, for the screenshots
    Paths paths = Paths::forAppDir(dir_.path());
    if (!local) {
      paths.dataDir = dir_.filePath("shared");
      QDir().mkpath(paths.dataDir);
    }
    UsersFile users = UsersFile::inDirectory(paths.dataDir);
    if (!users.exists()) users.createWithFirstAdministrator();
    auto window = std::make_unique<AdministrationWindow>(
        AdministrationServices{paths, *db_, *settings_, *machine_, ui_, rates_, 2014, &user_});
    window->setUserName(user_.name);
    window->prepare();
    window->show();
    window->fitInto(kLaptopScreen);
    return window;
  }
  template <typename W>
  W* find(QWidget* window, const QString& name) {
    W* widget = window->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  void click(QWidget* window, const QString& button) {
    QTest::mouseClick(find<QPushButton>(window, button), Qt::LeftButton);
  }
  // Runs `act` on the modal dialog once it is shown; `act` must close it, and a
  // dialog left open is a failure rather than a test that never ends.
  void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      act(modal);
      if (modal->isVisible()) {
        ADD_FAILURE() << modal->objectName().toStdString() << " is still open";
        modal->close();
      }
    });
  }
  static void grab(QWidget* widget, const QString& file) {
    const QString dir = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
    QDir().mkpath(dir);
    QApplication::processEvents();
    widget->grab().save(dir + "/" + file);
  }

  Rates rates_;
  CurrentUser user_{"ADMIN", "482", UserLevel::Admin, ""};
};

TEST_F(AdministrationWindowTest, EveryPageShowsItsInputsAndASavedRateSurvivesReopening) {
  auto window = openWindow();
  QListWidget* navigator = window->navigator();
  QStringList visited;
  for (int row = 0; row < navigator->count(); ++row) {
    QListWidgetItem* item = navigator->item(row);
    if (!(item->flags() & Qt::ItemIsEnabled)) {
      EXPECT_EQ(item->text(), "TAXE - Valori fixate");
      continue;
    }
    navigator->setCurrentItem(item);
    auto* shown = qobject_cast<SettingsPageWidget*>(
        window->findChild<QStackedWidget*>("Pages")->currentWidget());
    ASSERT_NE(shown, nullptr) << item->text().toStdString();
    EXPECT_TRUE(shown->isVisible()) << item->text().toStdString();
    EXPECT_EQ(shown->page().navigatorText, item->text());
    visited.append(shown->page().id);
    // A picture of every page, at a laptop's size, for a look by eye.
    grab(window.get(), "administration-" + shown->page().id.mid(4).toLower() + ".png");
  }
  EXPECT_EQ(visited.size(), settingPages().size());
  for (const SettingInput& in : settingInputs())
    EXPECT_NE(window->findChild<QWidget*>(in.name), nullptr) << in.name.toStdString();
  auto* g12 = find<NumericEdit>(window.get(), "G12A");
  EXPECT_EQ(g12->maxLength(), 6);
  EXPECT_EQ(find<NumericEdit>(window.get(), "EC1ZA")->text(), "40");
  EXPECT_EQ(find<QComboBox>(window.get(), "ComboBox3")->currentText(), "IV");

  window->showPage("PageIntravilan");
  auto* icca = find<NumericEdit>(window.get(), "ICCA");
  icca->selectAll();
  QTest::keyClicks(icca, "2.75");
  click(window.get(), "SaveButton");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(rates_.value("ICCA"), 2.75);  // calculations see it at once
  EXPECT_EQ(iniValue("ICCA"), "2.75");
  window.reset();

  rates_ = Rates();
  auto reopened = openWindow();
  EXPECT_EQ(find<NumericEdit>(reopened.get(), "ICCA")->text(), "2.75");
  EXPECT_EQ(rates_.value("ICCA"), 2.75);
}

TEST_F(AdministrationWindowTest, LeavingWithoutSavingShowsTheStoredValuesAgain) {
  auto window = openWindow();
  auto* icca = find<NumericEdit>(window.get(), "ICCA");
  auto* primaria = find<QLineEdit>(window.get(), "PrimariaLab");
  auto* bonus = find<QCheckBox>(window.get(), "BONIF50");
  const auto edit = [&] {
    window->show();
    icca->selectAll();
    QTest::keyClicks(icca, "9");
    primaria->setText("Primaria Noua");
    bonus->setChecked(true);
  };
  edit();
  click(window.get(), "CancelButton");
  EXPECT_EQ(icca->text(), "0");
  EXPECT_EQ(primaria->text(), "");
  EXPECT_FALSE(bonus->isChecked());

  edit();
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(icca->text(), "0");
  EXPECT_EQ(rates_.value("ICCA"), 0);
  EXPECT_EQ(iniValue("ICCA"), "0");
  EXPECT_EQ(settings_->ReadSetting("Server", "BONIF50"), "");
}

TEST_F(AdministrationWindowTest, ARateTypedOverTheOldOneIsNeverMixedWithIt) {
  auto window = openWindow();
  window->showPage("PageExtravilan");
  auto* whole = find<NumericEdit>(window.get(), "EC1ZA");  // starts at 40
  window->showPage("PageIntravilan");
  auto* decimal = find<NumericEdit>(window.get(), "ICCA");
  EXPECT_EQ(whole->kind(), NumericEdit::Kind::Whole);
  EXPECT_EQ(decimal->kind(), NumericEdit::Kind::Decimal);
  struct Case {
    NumericEdit* input;
    const char* old;
    const char* typed;  // over the old value, selected
    const char* saved;
  };
  const Case cases[] = {
      {whole, "42", "x7", "7"},     {decimal, "35", "x7", "7"},   {whole, "30", "-5", "5"},
      {decimal, "30", "1,5", "1.5"}, {whole, "30", "1.5", "1"},   {decimal, "2", "1.2.3", "1.23"},
  };
  for (const Case& c : cases) {
    c.input->setNumberText(c.old);
    c.input->setFocus();
    c.input->selectAll();
    QTest::keyClicks(c.input, c.typed);
    Rates shown;
    for (SettingsPageWidget* p : window->pages()) p->collectValues(shown);
    EXPECT_EQ(shown.text(c.input->objectName()), c.saved) << c.old << " + " << c.typed;
  }
  // An input left empty holds 0.
  decimal->setNumberText("");
  EXPECT_EQ(decimal->numberText(), "0");
}

TEST_F(AdministrationWindowTest, EnterMovesToTheNextInputAndTheEditorsLastInputStores) {
  auto window = openWindow();
  auto* primaria = find<QLineEdit>(window.get(), "PrimariaLab");
  primaria->setFocus();
  QTest::keyClick(primaria, Qt::Key_Return);
  EXPECT_EQ(window->focusWidget(), find<QLineEdit>(window.get(), "JudetulLab"));
  window->showPage("PageExtravilan");
  auto* first = find<NumericEdit>(window.get(), "EC1ZA");
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Enter);
  EXPECT_EQ(window->focusWidget(), find<NumericEdit>(window.get(), "EC1ZB"));
  EXPECT_TRUE(window->isVisible());  // Enter never saves the window

  LocalityEditorDialog* editor = window->localityEditor();
  int checked = 0;
  editor->prepare("Adaugare zona", {0, "", "A", "IV"}, [&](Locality&) { return ++checked > 0; });
  editor->show();
  auto* name = editor->findChild<QLineEdit*>(kLocalityField);
  QTest::keyClicks(name, "arini");
  EXPECT_EQ(name->text(), "ARINI");
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(editor->focusWidget(), editor->findChild<QComboBox*>(kZoneField));
  EXPECT_EQ(checked, 0);
  QTest::keyClick(editor->findChild<QComboBox*>(kRankField), Qt::Key_Return);
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(editor->result(), QDialog::Accepted);
  EXPECT_EQ(editor->locality().name, "ARINI");
}

TEST_F(AdministrationWindowTest, EnterKeepsTheInputItReachesInSightAndEndsOnSaving) {
  auto window = openWindow();
  window->resize(1040, 620);
  for (const char* pageId : {"PageHeavy", "PageCombinations", "PageGeneral"}) {
    window->showPage(pageId);
    SettingsPageWidget* page = window->page(pageId);
    auto* scroll = page->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QList<QWidget*> inputs;
    for (const SettingSection& section : page->page().sections)
      for (const SettingRow& row : section.rows)
        for (const SettingInput& in : row.inputs)
          if (in.kind != InputKind::Path) inputs.append(page->input(in.name));
    inputs.first()->setFocus();
    QApplication::processEvents();
    for (int i = 1; i < inputs.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QApplication::processEvents();
      ASSERT_EQ(QApplication::focusWidget(), inputs[i]) << pageId << " " << i;
      const QRect shown(inputs[i]->mapTo(scroll->viewport(), QPoint(0, 0)), inputs[i]->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
          << pageId << " " << inputs[i]->objectName().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>(window.get(), "SaveButton")) << pageId;
  }
  EXPECT_TRUE(window->isVisible());  // Enter never saves the window
}

TEST_F(AdministrationWindowTest, TheImportTimeTakesDigitsTypedWhereverItWasClicked) {
  auto window = openWindow();
  auto* time = find<QTimeEdit>(window.get(), "ORAAUTORA");
  auto* text = time->findChild<QLineEdit*>();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  struct Case {
    int clickedAt;  // pixels from the left of the input's text; -1: reached with Enter
    const char* typed;
    QTime shown;
  };
  const Case cases[] = {
      {-1, "0730", QTime(7, 30)}, {4, "1405", QTime(14, 5)}, {4, "9", QTime(9, 0)},
      {-4, "45", QTime(0, 45)},   // clicked at the right end: the minutes
  };
  for (const Case& c : cases) {
    time->setTime(QTime(0, 0));
    find<QCheckBox>(window.get(), "AUTORA")->setFocus();
    if (c.clickedAt == -1) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
      const int x = c.clickedAt >= 0 ? c.clickedAt : text->width() + c.clickedAt;
      QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
    }
    ASSERT_EQ(QApplication::focusWidget(), time);
    QTest::keyClicks(time, c.typed);
    EXPECT_EQ(time->time().toString("HH:mm"), c.shown.toString("HH:mm")) << c.typed;
  }
  click(window.get(), "SaveButton");
  EXPECT_EQ(settings_->ReadSetting("Server", "ORAAUTORA"), "00:45:00");
}

TEST_F(AdministrationWindowTest, AltMStoresAndAltRCancelsTheEditorsWhateverHasTheFocus) {
  LocalityEditorDialog locality;
  locality.prepare("Adaugare zona", {0, "LUNCA", "A", "IV"}, [](Locality&) { return true; });
  BudgetCodeEditorDialog code;
  code.prepareAdd([](BudgetCode&) { return true; });
  struct Case {
    QDialog* editor;
    QLineEdit* input;
    Qt::Key key;
    int result;
  };
  const Case cases[] = {
      {&locality, locality.findChild<QLineEdit*>(kLocalityField), Qt::Key_M, QDialog::Accepted},
      {&locality, locality.findChild<QLineEdit*>(kLocalityField), Qt::Key_R, QDialog::Rejected},
      {&code, code.findChild<QLineEdit*>(kGroupNameField), Qt::Key_M, QDialog::Accepted},
      {&code, code.findChild<QLineEdit*>(kNaturalAccountField), Qt::Key_R, QDialog::Rejected},
  };
  for (const Case& c : cases) {
    c.editor->setResult(-1);
    c.editor->show();
    c.editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.editor));
    c.input->setFocus();
    const QString before = c.input->text();
    QTest::keyClick(c.input, c.key, Qt::AltModifier);
    // A shortcut presses its button as the mouse would, a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.editor->isVisible(); }, 1000));
    EXPECT_EQ(c.editor->result(), c.result) << c.editor->objectName().toStdString() << " " << c.key;
    EXPECT_EQ(c.input->text(), before);  // nothing typed into the field
  }
}

TEST_F(AdministrationWindowTest, ClientMachineIsToldOnlyTheServerBacksUp) {
  auto window = openWindow(false);
  bool chooserShown = false;
  window->chooseFolder = [&](const QString&) {
    chooserShown = true;
    return QString();
  };
  click(window.get(), "BackupPathButton");
  EXPECT_FALSE(chooserShown);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().text, "Numai Serverul poate salva automat!");
}

TEST_F(AdministrationWindowTest, TheAgriculturalRegisterPathChosenIsStoredBySaving) {
  const QString registerDir = dir_.filePath("RA/DATA");
  QDir().mkpath(registerDir);
  for (const char* name : {"Volume.dbf", "Identificare.dbf", "Cap1.dbf", "Cap2A.dbf", "Cap2B.dbf",
                           "Cap11.dbf", "Cap7.dbf", "Cap6.dbf"}) {
    QFile file(registerDir + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  auto window = openWindow();
  window->chooseFolder = [&](const QString&) { return registerDir + "/"; };
  click(window.get(), "RegisterPathButton");
  EXPECT_EQ(find<QLabel>(window.get(), "CALEAUTORA")->text(), registerDir);
  EXPECT_EQ(settings_->ReadSetting("Server", "CALEAUTORA"), "");  // only saving stores it
  click(window.get(), "SaveButton");
  EXPECT_EQ(settings_->ReadSetting("Server", "CALEAUTORA"), registerDir);
  EXPECT_EQ(rates_.text("CALEAUTORA"), registerDir);
}

TEST_F(AdministrationWindowTest, LocalitiesAreAddedThroughTheEditorAndTheOnlyOneCanBeDeleted) {
  auto window = openWindow();
  window->showPage("PageZones");
  find<QComboBox>(window.get(), "ComboBox2")->setCurrentText("C");
  whenModal([](QWidget* editor) {
    EXPECT_EQ(editor->objectName(), "TAddZonaF");
    EXPECT_EQ(editor->findChild<QComboBox*>(kZoneField)->currentText(), "C");  // the default zone
    EXPECT_EQ(editor->findChild<QComboBox*>(kRankField)->currentText(), "IV");
    QTest::keyClicks(editor->findChild<QLineEdit*>(kLocalityField), "lunca");
    QTest::mouseClick(editor->findChild<QPushButton*>("Memoreaza"), Qt::LeftButton);
  });
  click(window.get(), "AddLocalityButton");
  ASSERT_EQ(window->localities().size(), 1);
  EXPECT_EQ(window->localities().first().name, "LUNCA");
  EXPECT_EQ(window->localities().first().zone, "C");
  EXPECT_EQ(window->localitiesGrid()->currentRow(), 0);
  grab(window.get(), "administration-zones.png");

  click(window.get(), "DeleteLocalityButton");  // the scripted answer is DA
  EXPECT_EQ(ui_.messages.last().text, "Sunteti sigur ca vreti sa stergeti localitatea?");
  EXPECT_TRUE(window->localities().isEmpty());
  EXPECT_EQ(window->localitiesGrid()->rowCount(), 0);
  EXPECT_EQ(window->localitiesGrid()->currentRow(), -1);

  click(window.get(), "ModifyLocalityButton");
  EXPECT_EQ(ui_.problems.last().text, "Nu aveti ce modifica!");
}

TEST_F(AdministrationWindowTest, BudgetCodesSortByAColumnAndKeepTheSelection) {
  auto window = openWindow();
  BudgetCodesWindow* codes = window->budgetCodes();
  codes->reload();
  codes->show();
  const auto selectGroup = [&](const QString& group) {
    for (int row = 0; row < codes->codes().size(); ++row)
      if (codes->codes()[row].group == group) codes->grid()->setCurrentCell(row, 0);
  };
  selectGroup("Paza");
  EXPECT_EQ(codes->grid()->item(0, 0)->text(), "Impozit pe cladiri");
  codes->sortByColumn(0);
  EXPECT_EQ(codes->grid()->item(0, 0)->text(), "Auto neinmatriculate");
  ASSERT_TRUE(codes->selected());
  EXPECT_EQ(codes->selected()->group, "Paza");

  whenModal([](QWidget* editor) {
    EXPECT_EQ(editor->objectName(), "TFAddCODCL");
    EXPECT_TRUE(editor->findChild<QLineEdit*>(kGroupNameField)->isReadOnly());
    auto* natural = editor->findChild<QLineEdit*>(kNaturalAccountField);
    natural->selectAll();
    QTest::keyClicks(natural, "21.03.02.01");
    // The legal-person account follows what is typed for natural persons.
    EXPECT_EQ(editor->findChild<QLineEdit*>(kLegalAccountField)->text(), "21.03.02.01");
    QTest::keyClick(editor->findChild<QLineEdit*>(kLegalAccountField), Qt::Key_Return);
  });
  QTest::keyClick(codes->grid(), Qt::Key_Return);
  EXPECT_EQ(codes->selected()->group, "Paza");
  EXPECT_EQ(codes->selected()->naturalAccount, "21.03.02.01");
  EXPECT_EQ(codes->selected()->legalAccount, "21.03.02.01");
  grab(codes, "budget-codes.png");

  codes->remove();
  EXPECT_EQ(ui_.messages.last().text, "Nu aveti voie sa stergeti aceasta creanta!");
  EXPECT_EQ(codes->codes().size(), 12);
}

TEST_F(AdministrationWindowTest, UsersAreManagedOnTheGeneralPageWhileTheWindowIsOpen) {
  UsersFile users = UsersFile::inDirectory(dataDir());
  users.createWithFirstAdministrator();
  users.append({"MARIA", "", UserLevel::Cashier, "AB 123"});
  settings_->WriteSetting("MARIA", "SERIA", "TX");
  auto window = openWindow();
  QTableWidget* grid = window->usersGrid();
  ASSERT_EQ(grid->rowCount(), 1);  // the logged-in administrator is not listed
  EXPECT_EQ(grid->item(0, 0)->text(), "MARIA");
  EXPECT_EQ(grid->item(0, 1)->text(), "CASIER");
  EXPECT_EQ(QDir(dir_.path()).entryList({"U*.dbf"}, QDir::Files).size(), 1);

  whenModal([](QWidget* editor) {
    EXPECT_EQ(editor->objectName(), "TFAddUser");
    QTest::keyClicks(editor->findChild<QLineEdit*>(UserManagement::kNameField), "  DAN ");
    QTest::mouseClick(editor->findChild<QPushButton*>("Memoreaza"), Qt::LeftButton);
  });
  click(window.get(), "AddUserButton");
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->item(grid->currentRow(), 0)->text(), "DAN");
  EXPECT_EQ(users.read().last().name, "DAN");

  grid->setCurrentCell(1, 0);  // MARIA, after DAN
  click(window.get(), "DeleteUserButton");  // the scripted answer is DA
  EXPECT_EQ(ui_.messages.last().text, "Chiar il stergem pe MARIA?");
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(users.read().size(), 2);
  grab(window.get(), "administration-users.png");
  // The list is in sight as the general page opens, without scrolling.
  window->showPage("PageGeneral");
  QApplication::processEvents();
  auto* scroll = window->page("PageGeneral")->findChild<QScrollArea*>();
  const QRect shown(grid->mapTo(scroll->viewport(), QPoint(0, 0)), grid->size());
  EXPECT_TRUE(scroll->viewport()->rect().contains(shown));
  EXPECT_TRUE(find<QPushButton>(window.get(), "DeleteUserButton")->visibleRegion().boundingRect().height() > 0);

  click(window.get(), "CancelButton");
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_TRUE(QDir(dir_.path()).entryList({"U*.dbf"}, QDir::Files).isEmpty());
}

}  // namespace
}  // namespace dajdor::testing
