#include "collect/taxpayer_search_window.h"

#include "collect/collections_window.h"
#include "collect/dialog_heading_widget.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/upper_case_input.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace dajdor::collect {
namespace {

const QStringList kColumns = {"Localitatea", "ROL", "Nume si prenume", "CNP", "Adresa", "Forma jurid."};

QString cell(const SearchRow& r, int column) {
  switch (column) {
    case 0:
      return r.SATUL;
    case 1:
      return r.ROL;
    case 2:
      return r.NUMEP;
    case 3:
      return r.CNP;
    case 4:
      return r.ADRESA;
    default:
      return r.TIP;
  }
}

}  // namespace

void SnapshotModel::show(const TaxpayerSnapshot* snapshot, QList<int> rows) {
  beginResetModel();
  snapshot_ = snapshot;
  rows_ = std::move(rows);
  endResetModel();
}

const SearchRow* SnapshotModel::rowAt(int row) const {
  if (!snapshot_ || row < 0 || row >= rows_.size()) return nullptr;
  return &snapshot_->rows()[rows_[row]];
}

int SnapshotModel::rowOfTaxpayer(std::int64_t idgos) const {
  for (int r = 0; r < rows_.size(); ++r)
    if (snapshot_->rows()[rows_[r]].IDGOS == idgos) return r;
  return -1;
}

int SnapshotModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int SnapshotModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(kColumns.size()); }

QVariant SnapshotModel::data(const QModelIndex& index, int role) const {
  const SearchRow* r = rowAt(index.row());
  if (!r || role != Qt::DisplayRole) return {};
  return cell(*r, index.column());
}

QVariant SnapshotModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns.size())
    return kColumns[section];
  return {};
}

void SnapshotModel::sort(int column, Qt::SortOrder order) {
  if (!snapshot_) return;
  beginResetModel();
  const auto& all = snapshot_->rows();
  std::stable_sort(rows_.begin(), rows_.end(), [&](int a, int b) {
    const int c = QString::compare(cell(all[a], column), cell(all[b], column));
    return order == Qt::AscendingOrder ? c < 0 : c > 0;
  });
  endResetModel();
}

TaxpayerSearchWindow::TaxpayerSearchWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName("TAvansatSearch");
  setWindowTitle("Incasari");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dialogHeading("Alegere ROL", this));

  auto* fields = new QFormLayout;
  village_ = new QComboBox(this);
  village_->setObjectName("Localitate");
  name_ = new QLineEdit(this);
  name_->setObjectName("Nume");
  keepUpperCase(name_);
  cnp_ = new QLineEdit(this);
  cnp_->setObjectName("CNP");
  cnp_->setMaxLength(13);
  rol_ = new QLineEdit(this);
  rol_->setObjectName("ROL");
  rol_->setMaxLength(9);
  rol_->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d*"), rol_));
  address_ = new QLineEdit(this);
  address_->setObjectName("Adresa");
  personType_ = new QComboBox(this);
  personType_->setObjectName("FormaJurid");
  personType_->addItems({kAnyType, "FIZICA", "JURIDICA"});
  fields->addRow("Localitate", village_);
  fields->addRow("Nume si prenume", name_);
  fields->addRow("CNP", cnp_);
  fields->addRow("ROL", rol_);
  fields->addRow("Adresa", address_);
  fields->addRow("Forma jurid.", personType_);
  layout->addLayout(fields);

  model_ = new SnapshotModel(this);
  grid_ = new QTableView(this);
  grid_->setObjectName("Grid");
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->horizontalHeader()->setSectionsClickable(true);
  for (int c = 0; c < kColumns.size(); ++c) grid_->setColumnWidth(c, QList<int>{140, 60, 260, 120, 300, 80}[c]);
  layout->addWidget(grid_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* chooseButton = new QPushButton("&Am ales", this);
  chooseButton->setObjectName("AmAles");
  chooseButton->setDefault(true);
  auto* cancel = new QPushButton("&Renunt", this);
  cancel->setObjectName("Renunt");
  buttons->addWidget(chooseButton);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  for (QLineEdit* edit : {name_, cnp_, rol_, address_}) connect(edit, &QLineEdit::textChanged, this, &TaxpayerSearchWindow::applyFilter);
  for (QComboBox* box : {village_, personType_})
    connect(box, &QComboBox::currentIndexChanged, this, &TaxpayerSearchWindow::applyFilter);
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    const QModelIndex current = grid_->currentIndex();
    const SearchRow* selected = model_->rowAt(current.row());
    const std::int64_t id = selected ? selected->IDGOS : 0;
    model_->sort(column, Qt::AscendingOrder);
    const int row = model_->rowOfTaxpayer(id);
    if (row >= 0) grid_->selectRow(row);
  });
  connect(grid_, &QTableView::doubleClicked, this, [this] { this->choose(); });
  connect(chooseButton, &QPushButton::clicked, this, [this] { this->choose(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(1000, 640);
}

void TaxpayerSearchWindow::prepare(const TaxpayerSnapshot& snapshot) {
  snapshot_ = &snapshot;
  const QString village = village_->currentText();
  const QSignalBlocker blockVillage(village_);
  village_->clear();
  village_->addItem(kAnyVillage);
  village_->addItems(snapshot.villages());
  village_->setCurrentIndex(std::max(0, village_->findText(village)));
  for (QLineEdit* edit : {name_, cnp_, rol_, address_}) {
    const QSignalBlocker block(edit);
    edit->clear();
  }
  applyFilter();
  name_->setFocus();
}

void TaxpayerSearchWindow::applyFilter() {
  if (!snapshot_) return;
  const SearchCriteria criteria{village_->currentText(), name_->text(), cnp_->text(),
                                rol_->text(),            address_->text(), personType_->currentText()};
  model_->show(snapshot_, snapshot_->filter(criteria));
  if (model_->rowCount() > 0) grid_->selectRow(model_->rowCount() - 1);
}

bool TaxpayerSearchWindow::choose() {
  const QModelIndexList selected = grid_->selectionModel()->selectedRows();
  const SearchRow* row = selected.isEmpty() ? nullptr : model_->rowAt(selected.first().row());
  if (!row) {
    context_.interaction->problem("Nu ati ales nimic!", grid_->objectName());
    return false;
  }
  chosenId_ = row->IDGOS;
  chosenVillage_ = village_->currentText();
  accept();
  return true;
}

void TaxpayerSearchWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    choose();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TaxpayerSearchWindow::runCollections(AppContext& context, QWidget* parent) {
  if (!context.database) return;
  std::unique_ptr<TaxpayerSnapshot> snapshot;
  try {
    snapshot = std::make_unique<TaxpayerSnapshot>(*context.database, context.paths.dataDir, context.paths.appDir);
  } catch (const std::exception& e) {
    context.interaction->error("Incasari", sql::message(e));
    return;
  }
  TaxpayerSearchWindow search(context, parent);
  CollectionsWindow collections(context, parent);
  for (;;) {
    search.prepare(*snapshot);
    if (search.exec() != QDialog::Accepted) break;
    collections.showFor(search.chosenTaxpayer(), search.chosenVillage());
  }
}

}  // namespace dajdor::collect
