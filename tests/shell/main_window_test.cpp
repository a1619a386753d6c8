#include "shell/main_window.h"

#include "shell/account_dialog.h"
#include "session/app_context.h"
#include "shell/log_view_window.h"
#include "users/users_file.h"
#include "store/clock.h"
#include "store/machine_settings.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace dajdor {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("machine"));
    context_.clock.setFixed(QDateTime(QDate(2014, 3, 12), QTime(9, 30)));
    context_.paths = Paths::forAppDir(dir_.filePath("Dajdor"));
    QDir().mkpath(context_.paths.dataDir);
    context_.interaction = &interaction_;
    context_.database = std::make_unique<engine::Database>(context_.paths.dataDir.toStdString());
    window_ = std::make_unique<MainWindow>(context_);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  UsersFile users() const { return UsersFile::inDirectory(context_.paths.dataDir); }
  void withUsers() {
    UsersFile file = users();
    file.createWithFirstAdministrator();
    file.append({"OPERATOR", "op", UserLevel::Operator, ""});
    file.append({"CASIER", "ca", UserLevel::Cashier, "CI 7"});
  }
  // Types the credentials and presses Enter twice, as a user does.
  void typeLogin(const QString& name, const QString& password) {
    window_->nameInput()->setFocus();
    window_->nameInput()->setText(name);
    QTest::keyClick(window_->nameInput(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window_->passwordInput());
    QTest::keyClicks(window_->passwordInput(), password);
    QTest::keyClick(window_->passwordInput(), Qt::Key_Return);
  }
  bool shown(const QString& id) const {
    if (QAbstractButton* b = window_->button(id)) return b->isVisibleTo(window_.get());
    return window_->action(id)->isVisible();
  }
  bool enabled(const QString& id) const {
    if (QAbstractButton* b = window_->button(id)) return b->isEnabled();
    return window_->action(id)->isEnabled();
  }
  void screenshot(const QString& name) {
    const QString dir = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
    QDir().mkpath(dir);
    window_->resize(1280, window_->height());
    QApplication::processEvents();
    EXPECT_TRUE(window_->grab().save(dir + "/" + name + ".png"));
  }

  QTemporaryDir dir_;
  ScriptedInteraction interaction_;
  AppContext context_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, LoggedOutShowsTheLoginPanelTheDateAndTheVersionTitle) {
  EXPECT_EQ(window_->objectName(), "TForm3");
  EXPECT_EQ(window_->windowTitle(), "Dajdor 2014 ver.1.38");
  EXPECT_TRUE(window_->loginPanel()->isVisible());
  EXPECT_FALSE(window_->menuPanel()->isVisible());
  EXPECT_TRUE(window_->isUnattended());
  EXPECT_EQ(window_->nameInput()->text(), "ADMIN");
  EXPECT_EQ(window_->passwordInput()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(window_->passwordInput()->maxLength(), 32);
  EXPECT_EQ(window_->startButton()->text(), "START");
  EXPECT_EQ(window_->dateLabel()->text(), "12.03.2014");
  EXPECT_EQ(window_->statusText()->text(), "F1 - Incasari");
  EXPECT_EQ(window_->dailyImportTimer().interval(), 60000);
  EXPECT_TRUE(window_->dailyImportTimer().isActive());
  EXPECT_EQ(window_->width(), window_->screen()->availableGeometry().width());
  screenshot("main_window_logged_out");
}

TEST_F(MainWindowTest, FirstStartLogsInAsAdminAndWritesTheLog) {
  typeLogin("ADMIN", "oricare");
  ASSERT_EQ(interaction_.messages.size(), 1);
  EXPECT_EQ(interaction_.messages[0].title, "PRIMA PORNIRE");
  EXPECT_TRUE(window_->isLoggedIn());
  EXPECT_TRUE(window_->menuPanel()->isVisible());
  EXPECT_FALSE(window_->loginPanel()->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Dajdor 2014 ver.1.38  >> ADMIN");

  auto rows = sql::query(*context_.database, "SELECT * FROM " + sql::table(context_.paths.dataFile("Log.dbf")));
  ASSERT_EQ(rows->rowCount(), 1u);
  rows->first();
  EXPECT_EQ(rows->asText("UTILIZATOR"), "ADMIN");
  EXPECT_EQ(rows->asText("ROL"), "");
  EXPECT_EQ(rows->asText("ACTIUNE"), "Pornire program.");
  EXPECT_EQ(rows->asText("DATAA"), "12.03.2014");
  screenshot("main_window_logged_in");
  for (const QString& id : {MenuId::ListeSiFormulare, MenuId::Utilitare}) {
    window_->button(id)->click();
    QMenu* menu = window_->menu(id);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->grab().save(QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots/menu_" + id + ".png"));
    menu->hide();
  }
}

TEST_F(MainWindowTest, WrongCredentialsKeepTheLoginPanelWithoutAMessage) {
  withUsers();
  typeLogin("CASIER", "gresit");
  EXPECT_FALSE(window_->isLoggedIn());
  EXPECT_TRUE(window_->loginPanel()->isVisible());
  EXPECT_TRUE(interaction_.messages.isEmpty());
  EXPECT_EQ(window_->windowTitle(), "Dajdor 2014 ver.1.38");
}

TEST_F(MainWindowTest, EachLevelSeesItsButtonsAndItems) {
  withUsers();
  const QStringList ids = {"Incasari", "RegistruDeCasa", "GospodariiRoluri", "ListeSiFormulare", "Administrare",
                           "Utilitare", "Iesire", "SalvareRestaurareBazaDeDate",
                           "PreluareDateDinRegistruAgricol20102014", "VerificareBaze", "ContulMeu",
                           "IstoricModificari", "ModeleListareRetusare", "InstiintariDePlata", "ListareDirecta"};
  // Per id: shown, enabled. No window of another subsystem is registered yet, so
  // the entries they open are disabled; the administration refusal stays clickable.
  struct Case {
    QString name, password;
    QString visible;  // one letter per id: 'E' shown and enabled, 'D' shown but disabled, '-' hidden
  };
  const Case cases[] = {
      {"ADMIN", "482", "DDDEDEEDDDEEEDD"},
      {"OPERATOR", "op", "DDDEEEED--EEEDD"},
      {"CASIER", "ca", "DD-E-EE---EEEDD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    typeLogin(c.name, c.password);
    ASSERT_TRUE(window_->isLoggedIn());
    for (int i = 0; i < ids.size(); ++i) {
      SCOPED_TRACE(ids[i].toStdString());
      EXPECT_EQ(shown(ids[i]), c.visible[i] != '-');
      EXPECT_EQ(enabled(ids[i]), c.visible[i] == 'E');
    }
    window_->button("Iesire")->click();
    EXPECT_FALSE(window_->isLoggedIn());
  }
  // The same checks hold inside the domain: an operator choosing "Administrare".
  typeLogin("OPERATOR", "op");
  window_->button("Administrare")->click();
  ASSERT_EQ(interaction_.problems.size(), 1);
  EXPECT_EQ(interaction_.problems[0].text, "Nu aveti treaba aici.");
  EXPECT_EQ(interaction_.problems[0].field, "Administrare");
}

TEST_F(MainWindowTest, RegisteredWindowsEnableTheirEntriesAndF1F2WorkFromAnyControl) {
  withUsers();
  int collections = 0;
  window_->setCommand(MenuId::Incasari, [&] { ++collections; });
  typeLogin("CASIER", "ca");
  EXPECT_TRUE(enabled("Incasari"));

  QTest::keyClick(window_->button("Utilitare"), Qt::Key_F1);
  QTest::keyClick(window_.get(), Qt::Key_F1);
  EXPECT_EQ(collections, 2);

  QMenu* lists = window_->menu(MenuId::ListeSiFormulare);
  QTest::keyClick(window_->button("Iesire"), Qt::Key_F2);
  EXPECT_TRUE(lists->isVisible());
  lists->hide();

  // Logged out, the keys open nothing.
  window_->logOut();
  QTest::keyClick(window_->passwordInput(), Qt::Key_F1);
  EXPECT_EQ(collections, 2);
}

TEST_F(MainWindowTest, IesireLogsOutAndClearsThePassword) {
  withUsers();
  QStringList events;
  QObject::connect(window_.get(), &MainWindow::loggedIn, [&](const QString& name) { events << "in " + name; });
  QObject::connect(window_.get(), &MainWindow::loggedOut, [&] { events << "out"; });
  typeLogin("CASIER", "ca");
  EXPECT_EQ(context_.user.legitimation, "CI 7");
  window_->button("Iesire")->click();
  EXPECT_EQ(context_.user.level, UserLevel::Nobody);
  EXPECT_EQ(window_->passwordInput()->text(), "");
  EXPECT_EQ(window_->windowTitle(), "Dajdor 2014 ver.1.38");
  EXPECT_TRUE(window_->loginPanel()->isVisible());
  EXPECT_FALSE(window_->menuPanel()->isVisible());
  EXPECT_EQ(events, (QStringList{"in CASIER", "out"}));
}

TEST_F(MainWindowTest, OwnAccountChangesTwiceInOneRun) {
  withUsers();
  typeLogin("CASIER", "ca");
  const auto changePassword = [&](const QString& first, const QString& second) {
    QTimer::singleShot(0, [&, first, second] {
      AccountDialog* dialog = window_->accountDialog();
      EXPECT_EQ(dialog->newPasswordInput()->text(), context_.user.password);
      EXPECT_EQ(dialog->legitimationInput()->text(), context_.user.legitimation);
      dialog->newPasswordInput()->setText(first);
      dialog->checkPasswordInput()->setText(second);
      dialog->legitimationInput()->setText("CI 8");
      dialog->findChild<QPushButton*>("Memoreaza")->click();
      if (dialog->isVisible()) dialog->reject();
    });
    window_->action("ContulMeu")->trigger();
  };

  changePassword("unu", "doi");  // not alike: refused, nothing stored
  ASSERT_EQ(interaction_.problems.size(), 1);
  EXPECT_EQ(interaction_.problems[0].text, "Parola nesetata sau nu este identica in cele doua casute!");
  EXPECT_EQ(interaction_.problems[0].field, "ParolaNoua");
  EXPECT_EQ(users().read()[2].password, "ca");

  changePassword("nou1", "nou1");
  changePassword("nou2", "nou2");  // finds the record by the password changed just before
  ASSERT_EQ(interaction_.messages.size(), 2);
  for (const auto& message : interaction_.messages) {
    EXPECT_EQ(message.title, "Schimbare cont");
    EXPECT_EQ(message.text, "Modificarile au fost memorate cu succes!");
  }
  EXPECT_EQ(users().read()[2], (UserRecord{"CASIER", "nou2", UserLevel::Cashier, "CI 8"}));
}

TEST_F(MainWindowTest, TheLogViewerShowsEveryEntryWithTheNewestSelected) {
  withUsers();
  typeLogin("ADMIN", "482");
  window_->logOut();
  typeLogin("CASIER", "ca");
  QTimer::singleShot(0, [&] {
    LogViewWindow* viewer = window_->logViewer();
    EXPECT_EQ(viewer->objectName(), "TLogView");
    EXPECT_EQ(viewer->windowTitle(), "Istoric actiuni");
    QTableView* grid = viewer->grid();
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    QStringList headers;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
      headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Data", "Ora", "Nume operator", "Rol", "Actiune"}));
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "CASIER");
    viewer->findChild<QPushButton*>("Inchide")->click();
  });
  window_->action("IstoricModificari")->trigger();
  EXPECT_FALSE(window_->logViewer()->isVisible());
}

TEST_F(MainWindowTest, TheDailyImportRunsOnceADayAndRecordsTheDay) {
  context_.rates.setText("AUTORA", "DA");
  context_.rates.setText("ORAAUTORA", "09:00");
  int runs = 0;
  window_->dailyImport = [&] {
    ++runs;
    window_->showLoginPanel();
    return true;
  };
  SettingsFile settings(context_.paths.dataFile("Dajdor.set"));
  window_->dailyImportTick();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(settings.ReadSetting("Server", "AutoRADate"), QString::number(context_.clock.todayNumber()));
  EXPECT_TRUE(window_->dailyImportTimer().isActive());
  EXPECT_TRUE(window_->isUnattended());

  window_->dailyImportTick();  // same day: nothing more, the timer stays stopped
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(window_->dailyImportTimer().isActive());

  // The next day: too early first, then a failing import, which is not retried that day.
  context_.clock.setFixed(QDateTime(QDate(2014, 3, 13), QTime(8, 0)));
  window_->dailyImportTick();  // too early: wait
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(window_->dailyImportTimer().isActive());
  context_.clock.setFixed(QDateTime(QDate(2014, 3, 13), QTime(9, 1)));
  window_->dailyImport = [&]() -> bool { throw std::runtime_error("Baza RA lipseste"); };
  window_->dailyImportTick();
  EXPECT_EQ(settings.ReadSetting("Server", "AutoRADate"), QString::number(context_.clock.todayNumber()));
  ASSERT_FALSE(interaction_.messages.isEmpty());
  EXPECT_EQ(interaction_.messages.last().kind, MessageKind::Error);
  EXPECT_FALSE(window_->dailyImportTimer().isActive());
}

TEST_F(MainWindowTest, ClosingOffersTheBackupOfTheDayUnderTheNextFreeNumber) {
  const QString backups = dir_.filePath("Salvari");
  QDir().mkpath(backups);
  QFile(backups + "/12.03.2014_0.d14").open(QIODevice::WriteOnly);
  MachineSettings().WriteRegistry("CALESALVARI", backups);
  QStringList archives;
  window_->backupAtExit = [&](const QString& archive) { archives << QFileInfo(archive).fileName(); };
  interaction_.queueAnswer(Answer::Da);
  window_->close();
  ASSERT_EQ(interaction_.messages.size(), 1);
  EXPECT_EQ(interaction_.messages[0].title, "Salvare Automata");
  EXPECT_EQ(archives, QStringList{"12.03.2014_1.d14"});
}

TEST_F(MainWindowTest, ClickingTheDateClosesTheWindow) {
  QTest::mouseClick(window_->dateLabel(), Qt::LeftButton);
  EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace dajdor
