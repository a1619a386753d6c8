// "Contul meu" (caption "Utilizator"): the logged-in user's new password, typed
// twice, and his legitimation.
#pragma once

#include <QDialog>

class QLineEdit;

namespace dajdor {

class CurrentUser;
class Interaction;

class AccountDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AccountDialog(Interaction& interaction, QWidget* parent = nullptr);

  // Both password inputs hold the current password, the legitimation the current one.
  void load(const CurrentUser& user);

  QString newPassword() const;
  QString legitimation() const;
  QLineEdit* newPasswordInput() const { return newPassword_; }
  QLineEdit* checkPasswordInput() const { return checkPassword_; }
  QLineEdit* legitimationInput() const { return legitimation_; }

 public slots:
  // "Memoreaza": closes confirmed when the inputs pass the checks.
  void store();

 private:
  Interaction& interaction_;
  QLineEdit* newPassword_;
  QLineEdit* checkPassword_;
  QLineEdit* legitimation_;
};

}  // namespace dajdor
