#include "register/fine_dialog.h"

#include "admin/budget_codes_window.h"
#include "register/year_inputs_widget.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "widgets/bold_label.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid.h"
#include "widgets/save_cancel_row.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dajdor::reg {

FineDialog::FineDialog(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
  setObjectName("TFTaxe");
  setWindowTitle("Taxe / Amenzi");
  setModal(true);
  header_ = boldLabel({}, 3, this);
  header_->setObjectName("HeaderLabel");
  group_ = yearChoice(FineField::Group, {}, this);
  group_->setMinimumWidth(320);
  day_ = yearDate("DINDATA", this);
  explanation_ = new QLineEdit(this);
  explanation_->setObjectName(FineField::Explanation);
  explanation_->setMaxLength(kExplanationWidth);
  number_ = yearNumber("Nr", 10, 0, false, this);
  amount_ = yearNumber("Suma", 6, 2, false, this);
  arrears_ = yearNumber("Rest", 5, 2, true, this);
  reduction_ = yearNumber(FineField::Reduction, 5, 2, true, this);
  QPushButton* codes = plainButton("CoduriClasificare", "Coduri clasificare", this);
  connect(codes, &QPushButton::clicked, this, &FineDialog::openBudgetCodes);

  auto* groupRow = new QHBoxLayout;
  groupRow->addWidget(group_, 1);
  groupRow->addWidget(codes);
  auto* form = new QFormLayout;
  form->addRow("Denumirea creantei", groupRow);
  form->addRow("Din data de", day_);
  form->addRow("Explicatii", explanation_);
  form->addRow("Numarul", number_);
  form->addRow("Suma curenta", amount_);
  form->addRow("Restanta", arrears_);
  form->addRow("Reducere", reduction_);
  layOutEditor(this, header_, form, reduction_, [this] { MemoreazaClick(); });
  refillGroups();
}

void FineDialog::refillGroups() {
  const QString chosen = group_->currentText();
  group_->clear();
  try {
    group_->addItems(fineGroups(*context_.database, context_.paths.dataDir));
  } catch (const std::exception& e) {
    context_.interaction->error(windowTitle(), sql::message(e));
  }
  chooseItem(group_, chosen);
}

void FineDialog::openBudgetCodes() {
  SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
  admin::BudgetCodesWindow codes(*context_.database, settings, *context_.interaction, this);
  codes.showList();
  refillGroups();
}

FineEntry FineDialog::blank() const {
  FineEntry entry;
  entry.day = context_.clock.today();
  entry.group = group_->count() > 0 ? group_->itemText(0) : QString();
  return entry;
}

void FineDialog::fill(const QString& header, const FineEntry& entry) {
  refillGroups();
  entry_ = entry;
  header_->setText(header);
  // A row of a group since taken off the codes keeps its group unless changed.
  if (!entry.group.isEmpty() && group_->findText(entry.group) < 0) group_->addItem(entry.group);
  chooseItem(group_, entry.group);
  day_->setDate(entry.day);
  explanation_->setText(entry.explanation);
  showAmount(number_, entry.number);
  showAmount(amount_, entry.amount);
  showAmount(arrears_, entry.arrears);
  showAmount(reduction_, entry.reduction);
  group_->setFocus();
}

bool FineDialog::edit(const QString& header, FineEntry& entry) { return editIn(*this, header, entry); }

void FineDialog::MemoreazaClick() {
  FineEntry entry{day_->date(), group_->currentText(), explanation_->text(), amountIn(number_),
                  amountIn(amount_), amountIn(arrears_), amountIn(reduction_)};
  if (!checkFineEntry(entry, *context_.interaction)) return;
  entry_ = entry;
  accept();
}

bool addFineFromDialog(AppContext& context, const FineOwner& owner, QWidget* parent) {
  FineDialog dialog(context, parent);
  FineEntry entry = dialog.blank();
  if (!dialog.edit(FineDialog::kAddHeader, entry)) return false;
  try {
    SettingsFile settings(context.paths.dataFile(SettingsFile::kFileName));
    addFine(*context.database, context.paths.dataDir, settings, owner, entry, ReductionPercent::OfOwed);
  } catch (const std::exception& e) {
    context.interaction->error(dialog.windowTitle(), sql::message(e));
    return false;
  }
  return true;
}

}  // namespace dajdor::reg
