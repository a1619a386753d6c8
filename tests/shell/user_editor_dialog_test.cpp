#include "shell/account_dialog.h"
#include "admin/user_editor_dialog.h"

#include "store/scripted_interaction.h"
#include "widgets/numeric_edit_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace dajdor {
namespace {

class UserEditorTest : public ::testing::Test {
 protected:
  UserEditorTest() {
    QDir().mkpath(dataDir());
    UsersFile file = users();
    file.createWithFirstAdministrator();
    file.append({"ION", "pi", UserLevel::Operator, "CI 1"});
    admin_.name = "ADMIN";
    admin_.password = "482";
    admin_.level = UserLevel::Admin;
    EXPECT_TRUE(management_.open());
  }

  QString dataDir() const { return root_.filePath("Data"); }
  UsersFile users() const { return UsersFile(QDir(dataDir()).filePath("s.mpg")); }

  // Runs `act` on the editor once its modal loop shows it.
  void whenShown(std::function<void()> act) {
    QTimer::singleShot(0, [this, act] {
      EXPECT_TRUE(editor_.isVisible());
      editor_.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&editor_));
      act();
      if (editor_.isVisible()) editor_.reject();
    });
  }

  QTemporaryDir root_;
  engine::Database db_{root_.path().toStdString()};
  ScriptedInteraction interaction_;
  CurrentUser admin_;
  UserManagement management_{db_,           root_.path(), users(), SettingsFile(QDir(dataDir()).filePath("Dajdor.set")),
                             interaction_, admin_};
  UserEditorDialog editor_;
};

TEST_F(UserEditorTest, AddingWalksTheInputsWithEnterAndStoresFromTheNumber) {
  EXPECT_EQ(editor_.objectName(), "TFAddUser");
  EXPECT_EQ(editor_.windowTitle(), "Utilizatori");
  whenShown([&] {
    EXPECT_EQ(editor_.title()->text(), "Adaugare Utilizator");
    EXPECT_FALSE(editor_.clearPasswordBox()->isVisible());
    EXPECT_FALSE(editor_.nameInput()->isReadOnly());
    EXPECT_EQ(editor_.numberInput()->text(), "0");
    EXPECT_EQ(editor_.levelInput()->count(), 2);
    editor_.nameInput()->setFocus();
    QTest::keyClicks(editor_.nameInput(), "  MARIA  POP");
    QTest::keyClick(editor_.nameInput(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), editor_.levelInput());
    editor_.levelInput()->setCurrentText("CASIER");
    QTest::keyClick(editor_.levelInput(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), editor_.legitimationInput());
    QTest::keyClicks(editor_.legitimationInput(), "CI 5");
    QTest::keyClick(editor_.legitimationInput(), Qt::Key_Return);
    QTest::keyClicks(editor_.seriesInput(), "MP");
    QTest::keyClick(editor_.seriesInput(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), editor_.numberInput());
    editor_.numberInput()->selectAll();
    QTest::keyClicks(editor_.numberInput(), "12x3");  // letters are not taken
    QTest::keyClick(editor_.numberInput(), Qt::Key_Return);
  });
  EXPECT_TRUE(editor_.runAdd(management_));
  EXPECT_EQ(users().read().last(), (UserRecord{"MARIA POP", "", UserLevel::Cashier, "CI 5"}));
  EXPECT_EQ(SettingsFile(QDir(dataDir()).filePath("Dajdor.set")).ReadSetting("MARIA POP", "CHIT"), "123");
}

TEST_F(UserEditorTest, ARefusedNameKeepsTheEditorOpenAndEscapeStoresNothing) {
  whenShown([&] {
    editor_.nameInput()->setText("ION");
    editor_.findChild<QPushButton*>("Memoreaza")->click();
    EXPECT_TRUE(editor_.isVisible());
    ASSERT_EQ(interaction_.problems.size(), 1);
    EXPECT_EQ(interaction_.problems[0].text, "Acest nume mai exista!");
    QTest::keyClick(editor_.nameInput(), Qt::Key_Escape);
    EXPECT_FALSE(editor_.isVisible());
  });
  EXPECT_FALSE(editor_.runAdd(management_));
  EXPECT_EQ(users().read().size(), 2);
}

TEST_F(UserEditorTest, ModifyingShowsTheUserWithItsNameReadOnlyAndCanClearThePassword) {
  whenShown([&] {
    EXPECT_EQ(editor_.title()->text(), "Modificare utilizator");
    EXPECT_EQ(editor_.nameInput()->text(), "ION");
    EXPECT_TRUE(editor_.nameInput()->isReadOnly());
    EXPECT_EQ(editor_.legitimationInput()->text(), "CI 1");
    EXPECT_TRUE(editor_.clearPasswordBox()->isVisible());
    EXPECT_FALSE(editor_.clearPasswordBox()->isChecked());
    editor_.levelInput()->setCurrentText("CASIER");
    editor_.clearPasswordBox()->setChecked(true);
    editor_.findChild<QPushButton*>("Memoreaza")->click();
  });
  EXPECT_TRUE(editor_.runModify(management_, "ION"));
  EXPECT_EQ(users().read()[1], (UserRecord{"ION", "", UserLevel::Cashier, "CI 1"}));

  // The first administrator is refused before the editor opens.
  EXPECT_FALSE(editor_.runModify(management_, "ADMIN"));
  EXPECT_EQ(interaction_.problems.last().text, "Acest utilizator nu poate fi modificat!");
}

TEST(AccountDialog, CaptionInputsAndEscape) {
  ScriptedInteraction interaction;
  AccountDialog dialog(interaction);
  EXPECT_EQ(dialog.objectName(), "TForm5");
  EXPECT_EQ(dialog.windowTitle(), "Utilizator");
  for (QLineEdit* input : {dialog.newPasswordInput(), dialog.checkPasswordInput(), dialog.legitimationInput()})
    EXPECT_EQ(input->maxLength(), 32);
  EXPECT_EQ(dialog.newPasswordInput()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(dialog.checkPasswordInput()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(dialog.legitimationInput()->echoMode(), QLineEdit::Normal);

  // An empty password is refused even when both inputs agree.
  CurrentUser user;
  dialog.load(user);
  dialog.show();
  dialog.store();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(interaction.problems.size(), 1);
  EXPECT_EQ(interaction.problems[0].field, "ParolaNoua");
  QTest::keyClick(dialog.newPasswordInput(), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(AccountDialog, EnterWalksTheInputsAndStoresFromTheLegitimation) {
  ScriptedInteraction interaction;
  AccountDialog dialog(interaction);
  CurrentUser user{"ION", "vechi", UserLevel::Operator, "CI 1"};
  dialog.load(user);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const QString folder = QString(DAJDOR_BIN_DIR) + "/../screenshots";  // for a look by eye
  QDir().mkpath(folder);
  dialog.grab().save(folder + "/account.png");
  QTest::keyClicks(dialog.newPasswordInput(), "nou");  // the old password is selected
  QTest::keyClick(dialog.newPasswordInput(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), dialog.checkPasswordInput());
  dialog.checkPasswordInput()->selectAll();
  QTest::keyClicks(dialog.checkPasswordInput(), "nou");
  QTest::keyClick(dialog.checkPasswordInput(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), dialog.legitimationInput());
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(dialog.legitimationInput(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.newPassword(), "nou");
}

}  // namespace
}  // namespace dajdor
