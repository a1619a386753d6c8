// The user editor "Utilizatori" of "Gestiune utilizatori": adds a user or
// changes one's level, legitimation and receipt series and number. The
// administration window keeps one and calls runAdd / runModify from its buttons.
#pragma once

#include "users/user_management.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace dajdor {

class NumericEdit;

class UserEditorDialog : public QDialog {
  Q_OBJECT
 public:
  using Check = std::function<bool(UserEntry&)>;

  explicit UserEditorDialog(QWidget* parent = nullptr);

  // "Adaugare" and "Modificare": show the editor modally and, when it is
  // confirmed, apply the change. True when something was changed.
  bool runAdd(UserManagement& users);
  bool runModify(UserManagement& users, const QString& selectedName);

  // The editor without running it: an empty editable name, or the entry with
  // its name read-only and "Sterge parola" unchecked.
  void startAdding(Check check);
  void startModifying(const UserEntry& entry, Check check);
  // The inputs as the check left them (cleaned).
  const UserEntry& entry() const { return entry_; }
  bool clearPassword() const;

  QLabel* title() const { return title_; }
  QLineEdit* nameInput() const { return name_; }
  QComboBox* levelInput() const { return level_; }
  QLineEdit* legitimationInput() const { return legitimation_; }
  QLineEdit* seriesInput() const { return series_; }
  NumericEdit* numberInput() const { return number_; }
  QCheckBox* clearPasswordBox() const { return clearPassword_; }

 public slots:
  // "Memoreaza": closes confirmed when the check passes.
  void store();

 private:
  QLabel* title_;
  QLineEdit* name_;
  QComboBox* level_;
  QLineEdit* legitimation_;
  QLineEdit* series_;
  NumericEdit* number_;
  QCheckBox* clearPassword_;
  Check check_;
  bool modifying_ = false;
  UserEntry entry_;
};

}  // namespace dajdor
