#include "register/year_operations_widget.h"

#include "register/debit_dialog.h"
#include "register/fine_dialog.h"
#include "register/fixed_tax_dialog.h"
#include "register/village_fees.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"
#include "widgets/bold_label.h"
#include "widgets/record_grid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::reg {
namespace {

const QString kFinesTitle = QStringLiteral("Taxe / Amenzi");
const QString kDebitsTitle = QStringLiteral("Impozite");
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// Wide enough for the longest caption of both groups, so the two grids line up.
constexpr int kButtonWidth = 240;

// A grid with its buttons on the right, in a framed group.
QGroupBox* gridGroup(const QString& caption, QTableWidget* grid, const QList<QPushButton*>& buttons, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  auto* column = new QVBoxLayout;
  for (QPushButton* b : buttons) {
    b->setParent(box);
    b->setFixedWidth(kButtonWidth);
    column->addWidget(b);
  }
  column->addStretch(1);
  grid->setParent(box);
  auto* row = new QHBoxLayout(box);
  row->addWidget(grid, 1);
  row->addLayout(column);
  return box;
}

int rowOf(const QList<std::int64_t>& ids, std::int64_t id) {
  const qsizetype found = ids.indexOf(id);
  return found >= 0 ? static_cast<int>(found) : (ids.isEmpty() ? -1 : 0);
}

}  // namespace

YearOperationsWidget::YearOperationsWidget(AppContext& context, std::function<QString()> villageText, QWidget* parent)
    : QWidget(parent), context_(context), villageText_(std::move(villageText)) {
  setObjectName("TaxeAn");
  finesGrid_ = makeRecordGrid(FineField::Grid,
                              {"Categoria", "Din data", "Nr.", "Explicatii", "Curent", "Restant", "Reduc."}, this);
  debitsGrid_ = makeRecordGrid(DebitField::Grid, {"Nr.", "Din data", "Grupa", "Tip", "Suma", "Explicatii"}, this);
  for (QTableWidget* grid : {finesGrid_, debitsGrid_}) grid->horizontalHeader()->setStretchLastSection(false);
  finesGrid_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  debitsGrid_->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);
  // Dates, numbers and amounts as wide as they need; the explanation takes the rest.
  for (const auto& [grid, widths] : {std::pair{finesGrid_, QList<int>{170, 85, 60, 0, 70, 70, 60}},
                                     std::pair{debitsGrid_, QList<int>{60, 85, 230, 80, 70, 0}}})
    for (int c = 0; c < widths.size(); ++c)
      if (widths[c] > 0) grid->setColumnWidth(c, widths[c]);

  QPushButton* addFine = plainButton("ConvexBtn5", "&Adauga", this);
  QPushButton* changeFine = plainButton("ConvexBtn6", "&Modifica", this);
  QPushButton* removeFine = plainButton("ConvexBtn8", "&Sterge", this);
  QPushButton* village = plainButton("LbButton5", "Adauga o taxa la to&ti", this);
  QPushButton* addDebit = plainButton("ConvexBtn2", "Adau&ga", this);
  QPushButton* changeDebit = plainButton("ConvexBtn3", "M&odifica", this);
  QPushButton* removeDebit = plainButton("ConvexBtn4", "S&terge", this);
  QPushButton* quantity = plainButton("LbSpeedButton6", "Adauga la Alte taxe o cantitate fi&xa", this);
  connect(addFine, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn5Click);
  connect(changeFine, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn6Click);
  connect(removeFine, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn8Click);
  connect(village, &QPushButton::clicked, this, &YearOperationsWidget::LbButton5Click);
  connect(addDebit, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn2Click);
  connect(changeDebit, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn3Click);
  connect(removeDebit, &QPushButton::clicked, this, &YearOperationsWidget::ConvexBtn4Click);
  connect(quantity, &QPushButton::clicked, this, &YearOperationsWidget::LbSpeedButton6Click);
  connect(finesGrid_, &QTableWidget::cellDoubleClicked, this, &YearOperationsWidget::ConvexBtn6Click);
  connect(debitsGrid_, &QTableWidget::cellDoubleClicked, this, &YearOperationsWidget::ConvexBtn3Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(boldLabel("Operatiuni in timpul anului", 3, this));
  layout->addWidget(gridGroup(" > Amenzi si taxe", finesGrid_, {addFine, changeFine, removeFine, village}, this), 1);
  layout->addWidget(
      gridGroup(" > Debite in timpul anului", debitsGrid_, {addDebit, changeDebit, removeDebit, quantity}, this), 1);
  fineDialog_ = new FineDialog(context_, this);
  debitDialog_ = new DebitDialog(context_, this);
  fixedTaxDialog_ = new FixedTaxDialog(this);
}

void YearOperationsWidget::setTaxpayer(const std::optional<Taxpayer>& taxpayer) {
  taxpayer_ = taxpayer;
  reloadFines(0);
  reloadDebits(0);
}

bool YearOperationsWidget::legalPerson() const { return taxpayer_ && taxpayer_->type.trimmed() == kLegalPerson; }

bool YearOperationsWidget::attempt(const QString& title, const std::function<void()>& write) {
  try {
    write();
    return true;
  } catch (const std::exception& e) {
    context_.interaction->error(title, sql::message(e));
    return false;
  }
}

void YearOperationsWidget::reloadFines(std::int64_t selectId) {
  fines_.clear();
  if (taxpayer_) attempt(kFinesTitle, [&] { fines_ = finesOf(*context_.database, context_.paths.dataDir, taxpayer_->idgos); });
  finesGrid_->setRowCount(static_cast<int>(fines_.size()));
  QList<std::int64_t> ids;
  for (int r = 0; r < fines_.size(); ++r) {
    const Fine& f = fines_[r];
    ids.append(f.iddat);
    setRecordRow(finesGrid_, r,
                 {f.group, f.day.toString(kDateFormat), QString::number(f.number), f.explanation,
                  QString::number(f.amount), QString::number(f.arrears), QString::number(f.reduction)},
                 {2, 4, 5, 6});
  }
  if (const int row = rowOf(ids, selectId); row >= 0) finesGrid_->selectRow(row);
}

void YearOperationsWidget::reloadDebits(std::int64_t selectId) {
  debits_.clear();
  if (taxpayer_)
    attempt(kDebitsTitle, [&] { debits_ = debitsOf(*context_.database, context_.paths.dataDir, taxpayer_->idgos); });
  debitsGrid_->setRowCount(static_cast<int>(debits_.size()));
  QList<std::int64_t> ids;
  for (int r = 0; r < debits_.size(); ++r) {
    const Debit& d = debits_[r];
    ids.append(d.iddeb);
    setRecordRow(debitsGrid_, r,
                 {QString::number(d.number), d.day.toString(kDateFormat), d.group, d.category,
                  QString::number(d.initial), d.explanation},
                 {0, 4});
  }
  if (const int row = rowOf(ids, selectId); row >= 0) debitsGrid_->selectRow(row);
}

std::optional<Fine> YearOperationsWidget::currentFine() const {
  const int row = finesGrid_->currentRow();
  return row >= 0 && row < fines_.size() ? std::optional<Fine>(fines_[row]) : std::nullopt;
}

std::optional<Debit> YearOperationsWidget::currentDebit() const {
  const int row = debitsGrid_->currentRow();
  return row >= 0 && row < debits_.size() ? std::optional<Debit>(debits_[row]) : std::nullopt;
}

void YearOperationsWidget::ConvexBtn5Click() {
  if (!taxpayer_) return;
  FineEntry entry = fineDialog_->blank();
  if (!fineDialog_->edit(FineDialog::kAddHeader, entry)) return;
  std::int64_t id = 0;
  attempt(kFinesTitle, [&] {
    SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
    id = addFine(*context_.database, context_.paths.dataDir, settings,
                 {taxpayer_->idgos, taxpayer_->village, taxpayer_->role}, entry);
  });
  reloadFines(id);
}

void YearOperationsWidget::ConvexBtn6Click() {
  const std::optional<Fine> row = currentFine();
  if (!yearRowChosen(row.has_value(), true, FineField::Grid, *context_.interaction)) return;
  FineEntry entry = entryOf(*row);
  if (!fineDialog_->edit(FineDialog::kChangeHeader, entry)) return;
  attempt(kFinesTitle, [&] { modifyFine(*context_.database, context_.paths.dataDir, *row, entry, *context_.interaction); });
  reloadFines(row->iddat);
}

void YearOperationsWidget::ConvexBtn8Click() {
  if (!taxpayer_) return;
  const std::optional<Fine> row = currentFine();
  bool deleted = false;
  attempt(kFinesTitle, [&] {
    deleted = deleteFine(*context_.database, context_.paths.dataDir, taxpayer_->idgos, row, *context_.interaction);
  });
  if (deleted) reloadFines(0);
}

void YearOperationsWidget::ConvexBtn2Click() {
  if (!taxpayer_) return;
  DebitEntry entry = debitDialog_->blank(legalPerson());
  if (!debitDialog_->edit(DebitDialog::kAddHeader, entry)) return;
  std::int64_t id = 0;
  attempt(kDebitsTitle, [&] {
    SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
    id = addDebit(*context_.database, context_.paths.dataDir, settings, taxpayer_->idgos, entry);
  });
  reloadDebits(id);
}

void YearOperationsWidget::ConvexBtn3Click() {
  const std::optional<Debit> row = currentDebit();
  if (!yearRowChosen(row.has_value(), true, DebitField::Grid, *context_.interaction)) return;
  DebitEntry entry = entryOf(*row, debitDialog_->blank(legalPerson()));
  if (!debitDialog_->edit(DebitDialog::kChangeHeader, entry)) return;
  attempt(kDebitsTitle,
          [&] { modifyDebit(*context_.database, context_.paths.dataDir, *row, entry, *context_.interaction); });
  reloadDebits(row->iddeb);
}

void YearOperationsWidget::ConvexBtn4Click() {
  const std::optional<Debit> row = currentDebit();
  bool deleted = false;
  attempt(kDebitsTitle, [&] { deleted = deleteDebit(*context_.database, context_.paths.dataDir, row, *context_.interaction); });
  if (deleted) reloadDebits(0);
}

void YearOperationsWidget::LbButton5Click() {
  const QString village = villageText_();
  if (!villageChosen(village, *context_.interaction)) return;
  QStringList taxes;
  if (!attempt(kFinesTitle, [&] { taxes = villageTaxes(*context_.database, context_.paths.dataDir); })) return;
  fixedTaxDialog_->prepareValue(taxes);
  const std::optional<FixedTaxDialog::Choice> choice = fixedTaxDialog_->ask();
  if (!choice) return;
  SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
  const VillageRun run{*context_.database, context_.paths.dataDir, settings, *context_.interaction, kWorkYear};
  if (AddTaxToVillage(run, {village, choice->tax, choice->number, choice->onlyWithHouses}))
    reloadFines(currentFine() ? currentFine()->iddat : 0);
}

void YearOperationsWidget::LbSpeedButton6Click() {
  const QString village = villageText_();
  if (!villageChosen(village, *context_.interaction)) return;
  fixedTaxDialog_->prepareQuantity(fixedQuantityTaxes());
  const std::optional<FixedTaxDialog::Choice> choice = fixedTaxDialog_->ask();
  if (!choice) return;
  Currency quantity;
  if (!Currency::parsePlain(choice->number, quantity)) quantity = {};
  SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
  const VillageRun run{*context_.database, context_.paths.dataDir, settings, *context_.interaction, kWorkYear};
  SetVillageQuantity(run, {village, choice->tax, quantity});
}

}  // namespace dajdor::reg
