#include "admin/budget_code_editor_dialog.h"

#include "widgets/enter_navigation.h"
#include "widgets/save_cancel_row.h"
#include "widgets/bold_label.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::admin {

BudgetCodeEditorDialog::BudgetCodeEditorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFAddCODCL");
  setWindowTitle("Cod clasificare");
  title_ = boldLabel({}, 2, this);
  title_->setObjectName("TitleLabel");

  const auto lineEdit = [this](const QString& name, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(width);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(width, 'N')));
    return edit;
  };
  name_ = lineEdit(kGroupNameField, kGroupNameWidth);
  name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QString(40, 'N')));
  natural_ = lineEdit(kNaturalAccountField, kAccountWidth);
  legal_ = lineEdit(kLegalAccountField, kAccountWidth);
  // Most groups pay into the same account for both kinds of payer.
  connect(natural_, &QLineEdit::textEdited, legal_, &QLineEdit::setText);

  auto* form = new QFormLayout;
  form->addRow("Denumirea creantei", name_);
  form->addRow("Cont P.Fizica", natural_);
  form->addRow("Cont P.Juridica", legal_);

  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { store(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);

  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(legal_, [this] { store(); });
}

void BudgetCodeEditorDialog::prepare(const QString& title, const BudgetCode& code,
                                     bool nameEditable, Check check) {
  title_->setText(title);
  code_ = code;
  check_ = std::move(check);
  name_->setText(code.group);
  name_->setReadOnly(!nameEditable);
  natural_->setText(code.naturalAccount);
  legal_->setText(code.legalAccount);
  (nameEditable ? name_ : natural_)->setFocus();
}

void BudgetCodeEditorDialog::prepareAdd(Check check) {
  prepare("Adaugare creanta", BudgetCode{}, true, std::move(check));
}

void BudgetCodeEditorDialog::prepareModify(const BudgetCode& code, Check check) {
  prepare("Modificare creanta", code, false, std::move(check));
}

void BudgetCodeEditorDialog::store() {
  BudgetCode typed = code_;
  typed.group = name_->text();
  typed.naturalAccount = natural_->text();
  typed.legalAccount = legal_->text();
  if (check_ && !check_(typed)) return;
  code_ = typed;
  accept();
}

}  // namespace dajdor::admin
