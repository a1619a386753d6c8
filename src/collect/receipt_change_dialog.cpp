#include "collect/receipt_change_dialog.h"

#include "collect/command_button_widget.h"
#include "collect/problem_report.h"
#include "collect/receipt_history.h"
#include "widgets/date_time_typing.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/upper_case_input.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {

ReceiptChangeDialog::ReceiptChangeDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TFModiChit");
  setWindowTitle("Modificare");
  setModal(true);
  date_ = new QDateEdit(this);
  date_->setObjectName(kModifyDateField);
  date_->setDisplayFormat("dd.MM.yyyy");
  date_->setCalendarPopup(true);
  letDigitsOverwriteSections(date_);
  series_ = new QLineEdit(this);
  series_->setObjectName(kModifySeriesField);
  series_->setMaxLength(10);
  keepUpperCase(series_);
  number_ = new NumericEdit(NumericEdit::Kind::Whole, 10, this);
  number_->setObjectName(kModifyNumberField);
  auto* form = new QFormLayout;
  form->addRow("Din data de", date_);
  form->addRow("Seria", series_);
  form->addRow("Numarul", number_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  QPushButton* change = commandButton("Modifica", "Modifica", buttons, this);
  QPushButton* close = commandButton("Inchide", "Inchide", buttons, this);
  connect(change, &QPushButton::clicked, this, [this] { confirm(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(number_, [this] { confirm(); });
}

bool ReceiptChangeDialog::ask(const DocumentNumbering& current, Apply apply) {
  apply_ = std::move(apply);
  date_->setDate(current.date);
  series_->setText(current.series.trimmed());
  number_->setText(current.number);
  date_->setFocus();
  const bool changed = exec() == QDialog::Accepted;
  apply_ = nullptr;
  return changed;
}

DocumentNumbering ReceiptChangeDialog::numbering() const {
  return {date_->date(), series_->text().trimmed(), number_->text()};
}

bool ReceiptChangeDialog::confirm() {
  if (apply_) {
    if (const auto problem = apply_(numbering())) {
      report(interaction_, *problem);
      return false;
    }
  }
  accept();
  return true;
}

}  // namespace dajdor::collect
