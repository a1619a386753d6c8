#include "register/fixed_tax_dialog.h"

#include "register/year_inputs_widget.h"
#include "widgets/bold_label.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace dajdor::reg {

FixedTaxDialog::FixedTaxDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFAddTaxaFixa");
  setWindowTitle("Taxe cu valoare fixa");
  setModal(true);
  header_ = boldLabel({}, 3, this);
  header_->setObjectName("HeaderLabel");
  tax_ = yearChoice("Taxa", {}, this);
  tax_->setMinimumWidth(260);
  numberLabel_ = new QLabel(this);
  numberLabel_->setObjectName("CantLabel");
  number_ = yearNumber("Cant", 6, 0, false, this);
  houses_ = new QCheckBox("Adauga numai gospodariilor cu case", this);
  houses_->setObjectName("CuCase");
  QPushButton* add = plainButton("Adauga", "Adauga", this);
  QPushButton* cancel = plainButton("Renunt", "Renunt", this);
  connect(add, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  form_ = new QFormLayout;
  auto* form = form_;
  form->addRow("Taxa", tax_);
  form->addRow(numberLabel_, number_);
  form->addRow(houses_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(add);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(header_);
  layout->addLayout(form);
  layout->addLayout(buttons);
  enter_ = new EnterNavigation(this);
}

void FixedTaxDialog::prepare(const QString& caption, const QString& header, const QString& label,
                             const QStringList& taxes, bool houses) {
  setWindowTitle(caption);
  header_->setText(header);
  numberLabel_->setText(label);
  tax_->clear();
  tax_->addItems(taxes);
  tax_->setCurrentIndex(taxes.isEmpty() ? -1 : 0);
  number_->setNumberText("0");
  houses_->setChecked(false);
  houses_->setVisible(houses);
  form_->setRowVisible(houses_, houses);
  // Enter in the last input shown adds.
  enter_->setFinalAction(houses ? static_cast<QWidget*>(houses_) : number_, [this] { accept(); });
  adjustSize();
  tax_->setFocus();
}

void FixedTaxDialog::prepareValue(const QStringList& taxes) {
  prepare("Adauga taxa la toti", "Definire taxa", "Valoare", taxes, true);
}

void FixedTaxDialog::prepareQuantity(const QStringList& taxes) {
  prepare("Alte taxe", "Stabilire cantitate", "cantitatea", taxes, false);
}

FixedTaxDialog::Choice FixedTaxDialog::choice() const {
  return {tax_->currentText(), number_->numberText(), !houses_->isHidden() && houses_->isChecked()};
}

std::optional<FixedTaxDialog::Choice> FixedTaxDialog::ask() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return choice();
}

}  // namespace dajdor::reg
