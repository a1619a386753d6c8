#include "shell/account_dialog.h"

#include "users/current_user.h"
#include "users/own_account.h"
#include "users/users_file.h"
#include "widgets/enter_navigation.h"
#include "widgets/save_cancel_row.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace dajdor {
namespace {

QLineEdit* input(const QString& name, bool masked, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(UsersFile::kFieldLength);
  if (masked) edit->setEchoMode(QLineEdit::Password);
  return edit;
}

}  // namespace

AccountDialog::AccountDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TForm5");
  setWindowTitle("Utilizator");
  setModal(true);

  newPassword_ = input(OwnAccountField::NewPassword, true, this);
  checkPassword_ = input(OwnAccountField::CheckPassword, true, this);
  legitimation_ = input(OwnAccountField::Legitimation, false, this);

  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { store(); });

  auto* form = new QFormLayout;
  form->addRow("Parola noua", newPassword_);
  form->addRow("Verifica parola", checkPassword_);
  form->addRow("Legitimatia", legitimation_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);
  setMinimumWidth(360);

  // Enter walks the inputs, as in every editor; in "Legitimatia" it stores.
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(legitimation_, [this] { store(); });
}

void AccountDialog::load(const CurrentUser& user) {
  newPassword_->setText(user.password);
  checkPassword_->setText(user.password);
  legitimation_->setText(user.legitimation);
  newPassword_->setFocus();
  newPassword_->selectAll();
}

QString AccountDialog::newPassword() const { return newPassword_->text(); }
QString AccountDialog::legitimation() const { return legitimation_->text(); }

void AccountDialog::store() {
  if (checkOwnAccount(newPassword_->text(), checkPassword_->text(), legitimation_->text(), interaction_)) accept();
}

}  // namespace dajdor
