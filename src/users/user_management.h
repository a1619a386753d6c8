// "Gestiune utilizatori": the users work table shown on the general page of the
// administration window, and the add, modify and delete operations its buttons
// run. s.mpg is the store; the work table mirrors it for the grid (every user but
// the one logged in), with each user's receipt series and next number from
// Dajdor.set.
#pragma once

#include "users/current_user.h"
#include "users/users_file.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/settings_file.h"

#include <QString>

#include <memory>
#include <optional>

namespace dajdor {

// One user as the editor shows it.
struct UserEntry {
  QString name;
  QString levelText = QStringLiteral("OPERATOR DE ROL");
  QString legitimation;
  QString series;
  QString number = QStringLiteral("0");  // next receipt number
};

class UserManagement {
 public:
  // Inputs the problems point at: the editor's and the administration window's grid.
  static inline const QString kNameField = QStringLiteral("NumeUtilizator");
  static inline const QString kLevelField = QStringLiteral("Rang");
  static inline const QString kLegitimationField = QStringLiteral("Legitimatia");
  static inline const QString kSeriesField = QStringLiteral("Seria");
  static inline const QString kNumberField = QStringLiteral("DeLaNr");
  static inline const QString kGridField = QStringLiteral("GridUtilizatori");
  static constexpr int kSeriesLength = 10;
  static constexpr int kNumberDigits = 9;

  UserManagement(engine::Database& database, QString appDir, UsersFile users, SettingsFile settings,
                 Interaction& interaction, const CurrentUser& user);
  ~UserManagement();
  UserManagement(const UserManagement&) = delete;
  UserManagement& operator=(const UserManagement&) = delete;

  // Creates the work table under a free name in the program folder and fills it
  // from s.mpg. False, reported, when that fails.
  bool open();
  // Deletes the work table.
  void close();
  const QString& tablePath() const { return tablePath_; }

  // The rows for the grid, ordered by name: NUME, PAROLA, GRAD, LEGIT, SERIA, NR.
  std::unique_ptr<engine::ResultSet> rows() const;
  int rowCount() const;

  // The editor's "Memoreaza": cleans the texts and checks them; a refusal is a
  // problem on the input at fault.
  bool checkNew(UserEntry& entry) const;
  bool checkChanged(UserEntry& entry) const;

  // "Adaugare" once the editor is confirmed: the new user has an empty password.
  bool add(const UserEntry& entry);

  // "Modificare": the user that may be edited, with the problem on the grid otherwise.
  std::optional<UserEntry> entryToModify(const QString& selectedName) const;
  bool modify(const UserEntry& entry, bool clearPassword);

  // "Stergere": asks, then removes the user from s.mpg and the work table.
  bool remove(const QString& selectedName);

 private:
  static void cleanTexts(UserEntry& entry);
  bool checkTexts(const UserEntry& entry) const;
  int recordIndex(const QList<UserRecord>& records, const QString& name) const;
  void writeReceiptSettings(const UserEntry& entry);
  void insertRow(const UserRecord& record, const QString& series, const QString& number);
  void reportFailure(const std::exception& e) const;

  engine::Database& database_;
  QString appDir_;
  UsersFile users_;
  SettingsFile settings_;
  Interaction& interaction_;
  const CurrentUser& user_;
  QString tablePath_;
};

}  // namespace dajdor
