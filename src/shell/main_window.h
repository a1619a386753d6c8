// The main window: a bar across the top of the screen with the date, the login
// panel, and after login the buttons and menus that open every part of the
// program. It is the only permanent window; closing it ends the program.
//
// The windows of the other subsystems register themselves with setCommand()
// under the id of their button or menu entry (see main_menu.h); until then the
// entry stays disabled. The hooks below are filled the same way.
#pragma once

#include "shell/main_menu.h"
#include "shell/model_documents.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace dajdor {

struct AppContext;
class AccountDialog;
class LogViewWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kDailyImportIntervalMs = 60000;

  explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Registers (or, with an empty handler, removes) what an entry opens.
  void setCommand(const QString& id, MenuCommands::Handler handler);
  const MenuCommands& commands() const { return commands_; }
  // The model documents; the RTF filler reports the documents it handles here.
  ModelDocuments& modelDocuments() { return models_; }

  // Writes the backup archive of the data directory chosen at exit.
  std::function<void(const QString& archive)> backupAtExit;
  // Runs the daily import from the agricultural register once its time has come;
  // true when it got to the end (the minute timer then starts again). It calls
  // showLoginPanel() before the taxpayer register adds everybody to payment.
  std::function<bool()> dailyImport;
  // The new-year selection and takeover from the previous year's data folder;
  // true when the takeover ran (the program then ends).
  std::function<bool(const QString& previousDataDir)> previousYearImport;

  bool isLoggedIn() const;
  // Whether the login panel is shown: other parts then run unattended.
  bool isUnattended() const;

  // Controls, for the windows that point at them and for tests.
  QWidget* loginPanel() const { return loginPanel_; }
  QWidget* menuPanel() const { return menuPanel_; }
  QLineEdit* nameInput() const { return name_; }
  QLineEdit* passwordInput() const { return password_; }
  QPushButton* startButton() const { return start_; }
  QLabel* dateLabel() const { return date_; }
  QLabel* statusText() const { return status_; }
  QAbstractButton* button(const QString& id) const;
  QAction* action(const QString& id) const;
  QMenu* menu(const QString& id) const;
  QTimer& dailyImportTimer() { return dailyImportTimer_; }
  AccountDialog* accountDialog() const { return account_; }
  LogViewWindow* logViewer() const { return logView_; }

 signals:
  void loggedIn(const QString& userName);
  void loggedOut();

 public slots:
  // "START": checks the credentials and opens the menus.
  void logIn();
  // "Iesire": back to the login panel.
  void logOut();
  // The login panel without logging out, for the unattended daily import.
  void showLoginPanel();
  // Runs an entry as the logged-in user, checking the rights first.
  void runCommand(const QString& id);
  // Shows or hides and enables or disables every entry for the user's level.
  void applyRights();
  // One tick of the minute timer.
  void dailyImportTick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildBar();
  void buildEntries();
  void registerOwnCommands();
  void popUp(const QString& menuId);
  void openOwnAccount();
  void openLog();
  void openModel(const QString& id);
  bool offerPreviousYear();
  void showMenuPanel();
  QString settingsPath() const;

  AppContext& context_;
  MenuCommands commands_;
  ModelDocuments models_;
  QWidget* loginPanel_ = nullptr;
  QWidget* menuPanel_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* password_ = nullptr;
  QPushButton* start_ = nullptr;
  QLabel* date_ = nullptr;
  QLabel* status_ = nullptr;
  QHash<QString, QAbstractButton*> buttons_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QMenu*> menus_;
  QTimer dailyImportTimer_;
  AccountDialog* account_ = nullptr;
  LogViewWindow* logView_ = nullptr;
  bool loggedInView_ = false;
};

}  // namespace dajdor
