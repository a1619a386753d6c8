#include "admin/settings_catalogue.h"
#include "session/app_context.h"
#include "shell/main_window.h"
#include "shell/startup_settings.h"
#include "shell/startup_window.h"
#include "store/clock.h"
#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace dajdor {
namespace {

// A fresh installation folder, machine settings of its own, a fixed day.
struct StartupFixture : ::testing::Test {
  StartupFixture() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("machine"));
    context.clock.setFixed(QDateTime(QDate(2014, 3, 12), QTime(9, 30)));
    context.paths = Paths::forAppDir(dir.filePath("Dajdor"));
    QDir().mkpath(context.paths.appDir);
    context.interaction = &interaction;
  }

  // Shows the window and waits for the hand-over.
  bool runToHandOver(StartupWindow& window) {
    QSignalSpy handedOver(&window, &StartupWindow::handedOver);
    window.setStartDelay(0);
    window.show();
    return handedOver.count() == 1 || handedOver.wait(60000);
  }

  // Runs start-up and builds the main window at the hand-over, as the program does;
  // null when the hand-over never came.
  std::unique_ptr<MainWindow> runToMainWindow(StartupWindow& startup) {
    std::unique_ptr<MainWindow> main;
    QObject::connect(&startup, &StartupWindow::handedOver, [&] {
      main = std::make_unique<MainWindow>(context);
      main->show();
    });
    if (!runToHandOver(startup)) return nullptr;
    return main;
  }

  QTemporaryDir dir;
  ScriptedInteraction interaction;
  AppContext context;
};

TEST_F(StartupFixture, WindowShowsTheTitlesAndWaitsToBePainted) {
  StartupWindow window(context, admin::initialIniRows());
  EXPECT_EQ(window.objectName(), "TForm1");
  EXPECT_EQ(window.windowTitle(), "Dajdor 2013 - Initializare");
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window.findChild<QLabel*>("titleLabel")->text(), "Dajdor 2014 ver.1.38");
  EXPECT_EQ(window.findChild<QLabel*>("titleShadowLabel")->text(), "Dajdor 2014 ver.1.38");
  EXPECT_EQ(window.findChild<QLabel*>("lineLabel")->text(), "Evidenta taxelor si impozitelor locale.");
  EXPECT_EQ(window.status()->text(), "Incarcare date");
  EXPECT_EQ(window.progress()->minimum(), 0);
  EXPECT_EQ(window.progress()->maximum(), 100);
  EXPECT_EQ(window.progress()->value(), 0);
  EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(window.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());

  // Nothing starts before the window is on screen.
  QCoreApplication::processEvents();
  EXPECT_FALSE(QDir(context.paths.localDataDir).exists());

  window.show();
  const QString folder = QString(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(folder);
  window.grab().save(folder + "/startup_window.png");
  window.hide();
}

TEST_F(StartupFixture, FirstStartBuildsTheDataDirectoryAndHandsOver) {
  StartupWindow window(context, admin::initialIniRows());
  ASSERT_TRUE(runToHandOver(window));

  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.status()->text(), "Incarcare ...");
  EXPECT_EQ(window.progress()->value(), 65);  // every table packed on the day's first start
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(context.paths.dataDir, context.paths.localDataDir);
  ASSERT_NE(context.database, nullptr);
  for (const char* table : {"Gospodar.dbf", "Datorii.dbf", "SoldCalc.dbf", "Ini.dbf", "CodCL.dbf"}) {
    EXPECT_TRUE(context.database->tableExists(context.paths.dataFile(table).toStdString())) << table;
  }
  EXPECT_TRUE(context.databaseEmpty);
  // The settings were loaded from the Ini.dbf just written.
  EXPECT_EQ(context.rates.text("ICCA"), admin::Rates().text("ICCA"));
  EXPECT_TRUE(interaction.messages.isEmpty()) << interaction.messages.value(0).text.toStdString();
}

TEST_F(StartupFixture, DamagedSettingsAreToldAndTheValuesInUseKept) {
  StartupWindow startup(context, admin::initialIniRows());
  ASSERT_TRUE(runToHandOver(startup));
  ASSERT_TRUE(interaction.messages.isEmpty());
  context.rates.setText("ICCA", "999");

  QFile ini(QString::fromStdString(context.database->resolvePath(context.paths.dataFile("Ini.dbf").toStdString())));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write("not a table");
  ini.close();
  loadSettings(context);

  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_EQ(interaction.messages[0].title, "Setari");
  EXPECT_EQ(interaction.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(context.rates.text("ICCA"), "999");  // nothing half-loaded
}

TEST_F(StartupFixture, TheMainWindowTakesOverOnTheChosenDataDirectory) {
  StartupWindow startup(context, admin::initialIniRows());
  std::unique_ptr<MainWindow> main = runToMainWindow(startup);

  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->isVisible());
  EXPECT_FALSE(startup.isVisible());
  EXPECT_EQ(main->objectName(), "TForm3");
  EXPECT_EQ(main->windowTitle(), "Dajdor 2014 ver.1.38");
  EXPECT_TRUE(main->loginPanel()->isVisible());
  EXPECT_EQ(main->dateLabel()->text(), "12.03.2014");
}

TEST_F(StartupFixture, AFolderThatCannotHoldDataIsToldAndTheMainWindowStillAppears) {
  // The installation "folder" lies under a plain file: nothing can be created there.
  QFile blocker(dir.filePath("blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  context.paths = Paths::forAppDir(dir.filePath("blocker/Dajdor"));

  StartupWindow startup(context, admin::initialIniRows());
  std::unique_ptr<MainWindow> main = runToMainWindow(startup);

  ASSERT_FALSE(interaction.messages.isEmpty());
  EXPECT_EQ(interaction.messages[0].kind, MessageKind::Error);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->isVisible());
}

TEST_F(StartupFixture, AnIncompleteServerDirectoryIsToldAndTheRunStaysLocal) {
  const QString server = dir.filePath("server");
  QDir().mkpath(server);
  QSettings("Velmora", "64").setValue("SERVER", server);

  StartupWindow window(context, admin::initialIniRows());
  ASSERT_TRUE(runToHandOver(window));

  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_EQ(interaction.messages[0].title, "Conectare server");
  EXPECT_TRUE(interaction.messages[0].text.contains(server));
  EXPECT_EQ(context.paths.dataDir, context.paths.localDataDir);
  EXPECT_NE(context.database, nullptr);
}

}  // namespace
}  // namespace dajdor
