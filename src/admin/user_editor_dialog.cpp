#include "admin/user_editor_dialog.h"

#include "users/users_file.h"
#include "widgets/enter_navigation.h"
#include "widgets/save_cancel_row.h"
#include "widgets/bold_label.h"
#include "widgets/numeric_edit_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dajdor {
namespace {

QLineEdit* input(const QString& name, int maxLength, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  return edit;
}

}  // namespace

UserEditorDialog::UserEditorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFAddUser");
  setWindowTitle("Utilizatori");
  setModal(true);

  title_ = boldLabel({}, 3, this);
  title_->setObjectName("Titlu");
  title_->setAlignment(Qt::AlignCenter);

  name_ = input(UserManagement::kNameField, UsersFile::kFieldLength, this);
  level_ = new QComboBox(this);
  level_->setObjectName(UserManagement::kLevelField);
  level_->addItems({levelText(UserLevel::Operator), levelText(UserLevel::Cashier)});
  legitimation_ = input(UserManagement::kLegitimationField, UsersFile::kFieldLength, this);
  series_ = input(UserManagement::kSeriesField, UserManagement::kSeriesLength, this);
  number_ = new NumericEdit(NumericEdit::Kind::Whole, UserManagement::kNumberDigits, this);
  number_->setObjectName(UserManagement::kNumberField);
  clearPassword_ = new QCheckBox("Sterge parola", this);
  clearPassword_->setObjectName("StergeParola");

  auto* receipts = new QGroupBox("Chitante", this);
  auto* receiptForm = new QFormLayout(receipts);
  receiptForm->addRow("Seria", series_);
  receiptForm->addRow("De la nr.", number_);

  auto* form = new QFormLayout;
  form->addRow("Nume utilizator", name_);
  form->addRow("Rang", level_);
  form->addRow("Legitimatia", legitimation_);

  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { store(); });

  auto* status = new QLabel("ESC - iesire", this);
  status->setObjectName("Status");
  status->setEnabled(false);

  buttons.layout->insertWidget(0, clearPassword_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(form);
  layout->addWidget(receipts);
  layout->addLayout(buttons.layout);
  layout->addWidget(status);
  setMinimumWidth(380);

  // Enter walks the inputs; in "De la nr." it stores.
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(number_, [this] { store(); });
}

void UserEditorDialog::startAdding(Check check) {
  check_ = std::move(check);
  modifying_ = false;
  title_->setText("Adaugare Utilizator");
  name_->clear();
  name_->setReadOnly(false);
  level_->setCurrentIndex(0);
  legitimation_->clear();
  series_->clear();
  number_->setNumberText("0");
  clearPassword_->setChecked(false);
  clearPassword_->setVisible(false);
  name_->setFocus();
}

void UserEditorDialog::startModifying(const UserEntry& entry, Check check) {
  check_ = std::move(check);
  modifying_ = true;
  title_->setText("Modificare utilizator");
  name_->setText(entry.name);
  name_->setReadOnly(true);
  level_->setCurrentText(entry.levelText);
  legitimation_->setText(entry.legitimation);
  series_->setText(entry.series);
  number_->setNumberText(entry.number);
  clearPassword_->setChecked(false);
  clearPassword_->setVisible(true);
  level_->setFocus();
}

bool UserEditorDialog::clearPassword() const { return modifying_ && clearPassword_->isChecked(); }

void UserEditorDialog::store() {
  entry_ = {name_->text(), level_->currentText(), legitimation_->text(), series_->text(), number_->numberText()};
  if (!check_ || check_(entry_)) accept();
}

bool UserEditorDialog::runAdd(UserManagement& users) {
  startAdding([&users](UserEntry& entry) { return users.checkNew(entry); });
  return exec() == QDialog::Accepted && users.add(entry_);
}

bool UserEditorDialog::runModify(UserManagement& users, const QString& selectedName) {
  const std::optional<UserEntry> entry = users.entryToModify(selectedName);
  if (!entry) return false;
  startModifying(*entry, [&users](UserEntry& changed) { return users.checkChanged(changed); });
  return exec() == QDialog::Accepted && users.modify(entry_, clearPassword());
}

}  // namespace dajdor
