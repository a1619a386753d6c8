// The administration window: the town hall's data, paths and options, every
// rate, the localities and the way to the budget codes. Its pages are drawn from
// the settings catalogue; what it shows is loaded from, and saved to, Ini.dbf,
// Dajdor.set and the machine's settings. Closing it in any way other than saving
// shows the stored values again, so unsaved edits never reach a calculation.
#pragma once

#include "admin/localities.h"
#include "admin/rates.h"
#include "store/paths.h"

#include <QDialog>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>

class QListWidget;
class QStackedWidget;
class QTableWidget;

namespace engine {
class Database;
}

namespace dajdor {
class CurrentUser;
class Interaction;
class MachineSettings;
class SettingsFile;
class UserEditorDialog;
class UserManagement;
}  // namespace dajdor

namespace dajdor::admin {

class BudgetCodesWindow;
class LocalityEditorDialog;
class SettingsPageWidget;

// What the window works with; owned by the application.
struct AdministrationServices {
  Paths paths;
  engine::Database& database;
  SettingsFile& settings;
  MachineSettings& machine;
  Interaction& interaction;
  Rates& rates;  // read by every calculation; replaced on each load
  int workYear = 0;
  // The logged-in user: the users list leaves him out. Without one the list stays empty.
  const CurrentUser* user = nullptr;
};

class AdministrationWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AdministrationWindow(AdministrationServices services, QWidget* parent = nullptr);
  ~AdministrationWindow() override;

  // The user whose own options (PDF receipts) the window shows; reloads.
  void setUserName(const QString& name);
  // Fills the window and the shared rates from the stores.
  void loadSettings();
  // "Salveaza si inchide": writes every value, then closes. False when nothing
  // was written (a value refused or a store failing).
  bool saveSettings();
  // Reads the localities and makes the users list, as opening the window does.
  void prepare();
  // Shows the window modally, prepared.
  int showAdministration();

  // The size the window asks for, and the size and place it takes on a screen
  // area (a laptop's 1366 x 768 leaves less height than that).
  static constexpr QSize kPreferredSize{1040, 720};
  void fitInto(const QRect& area);

  // Pages in navigator order, and a page by its catalogue id.
  QList<SettingsPageWidget*> pages() const { return pages_; }
  SettingsPageWidget* page(const QString& id) const;
  void showPage(const QString& id);
  QListWidget* navigator() const { return navigator_; }
  QTableWidget* localitiesGrid() const { return localities_; }
  const QList<Locality>& localities() const { return localityRows_; }
  LocalityEditorDialog* localityEditor() const { return localityEditor_; }
  BudgetCodesWindow* budgetCodes() const { return budgetCodes_; }
  QTableWidget* usersGrid() const { return usersGrid_; }
  UserEditorDialog* userEditor() const { return userEditor_; }

  // Locality buttons of the zones page.
  void addLocality();
  void modifyLocality();
  void deleteLocality();
  void reloadLocalities(std::optional<std::int64_t> select = std::nullopt);

  // "Gestiune utilizatori" of the general page.
  void addUser();
  void modifyUser();
  void deleteUser();
  void reloadUsers(const QString& select = {});

  // Path buttons of the general page.
  void changeServerPath();
  void removeServerPath();
  void changeBackupPath();
  void removeBackupPath();
  void changeRegisterPath();

  // Asks for a directory; tests replace it. Returns "" when nothing was chosen.
  std::function<QString(const QString& title)> chooseFolder;

 signals:
  // A new connection was stored: it takes effect at the next start.
  void endProgramRequested();
  // The settings were saved (the village list depends on the localities).
  void settingsSaved();

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildGeneralExtras(SettingsPageWidget* page);
  void buildZonesExtras(SettingsPageWidget* page);
  void addExplanations(SettingsPageWidget* page);
  void showPath(const QString& name, const QString& path);
  QString shownPath(const QString& name) const;
  std::optional<Locality> selectedLocality() const;
  QString selectedUser() const;
  void openUsers();
  void closeUsers();

  AdministrationServices services_;
  QString userName_;
  QListWidget* navigator_;
  QStackedWidget* stack_;
  QList<SettingsPageWidget*> pages_;
  QTableWidget* localities_ = nullptr;
  QList<Locality> localityRows_;
  LocalityEditorDialog* localityEditor_;
  BudgetCodesWindow* budgetCodes_;
  QTableWidget* usersGrid_ = nullptr;
  UserEditorDialog* userEditor_;
  std::unique_ptr<UserManagement> users_;  // while the window is open
};

}  // namespace dajdor::admin
