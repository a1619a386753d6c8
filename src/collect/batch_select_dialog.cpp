#include "collect/batch_select_dialog.h"

#include "collect/dialog_heading_widget.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::collect {

BatchSelectDialog::BatchSelectDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), table_(new QTableWidget(this)) {
  setObjectName("TBordSelect");
  setWindowTitle("Borderouri");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dialogHeading("Alegeti Borderoul dorit", this));
  auto* period = new QHBoxLayout;
  period->addWidget(new QLabel("Perioada de afisat", this));
  from_ = new QDateEdit(this);
  from_->setObjectName("DeLa");
  to_ = new QDateEdit(this);
  to_->setObjectName("PanaLa");
  for (QDateEdit* d : {from_, to_}) {
    d->setDisplayFormat("dd.MM.yyyy");
    d->setCalendarPopup(true);
    period->addWidget(d);
  }
  period->addStretch(1);
  layout->addLayout(period);
  table_->setObjectName("Borderouri");
  table_->setColumnCount(3);
  table_->setHorizontalHeaderLabels({"TIP", "Numar borderou", "Valoare totala"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(1, 150);
  layout->addWidget(table_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* chosen = new QPushButton("Am ales", this);
  chosen->setObjectName("AmAles");
  auto* cancel = new QPushButton("Renunt", this);
  buttons->addWidget(chosen);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(chosen, &QPushButton::clicked, this, [this] { choose(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { table_->sortItems(column); });
  resize(520, 480);
}

bool BatchSelectDialog::prepare() {
  try {
    batches_ = debitBatches(*context_.database, context_.paths.dataDir, context_.paths.appDir);
  } catch (const std::exception& e) {
    context_.interaction->error(windowTitle(), sql::message(e));
    return false;
  }
  if (batches_.size() == 1 && batches_.first().NR == 0) {
    context_.interaction->error("Alegere Borderou", "Nu aveti nici un Borderou introdus!");
    return false;
  }
  // The period is shown as the office knows it; the list is every batch of the year.
  from_->setDate(QDate(context_.clock.today().year(), 1, 1));
  to_->setDate(context_.clock.today());
  fill();
  return true;
}

void BatchSelectDialog::fill() {
  table_->setSortingEnabled(false);
  table_->setRowCount(int(batches_.size()));
  for (int r = 0; r < batches_.size(); ++r) {
    const DebitBatch& b = batches_[r];
    table_->setItem(r, 0, new QTableWidgetItem(b.TIP));
    auto* number = new QTableWidgetItem;
    number->setData(Qt::DisplayRole, qlonglong(b.NR));
    auto* sum = new QTableWidgetItem;
    sum->setData(Qt::DisplayRole, qlonglong(b.TSUMA));
    sum->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, 1, number);
    table_->setItem(r, 2, sum);
  }
  if (!batches_.isEmpty()) table_->selectRow(int(batches_.size()) - 1);
}

bool BatchSelectDialog::ask() { return prepare() && exec() == QDialog::Accepted; }

bool BatchSelectDialog::choose() {
  const int row = table_->currentRow();
  if (table_->rowCount() == 0 || row < 0) {
    context_.interaction->problem("Nu aveti ce alege!", table_->objectName());
    return false;
  }
  type_ = table_->item(row, 0)->text().trimmed();
  number_ = table_->item(row, 1)->text().trimmed();
  accept();
  return true;
}

}  // namespace dajdor::collect
