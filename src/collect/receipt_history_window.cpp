#include "collect/receipt_history_window.h"

#include "collect/cancellation.h"
#include "collect/command_button_widget.h"
#include "collect/grid_caption_widget.h"
#include "collect/receipt_change_dialog.h"
#include "collect/receipt_line_cells.h"
#include "collect/receipt_output.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/record_grid_widget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {
namespace {

const QString kTitle = QStringLiteral("Istoric chitante");

}  // namespace

ReceiptHistoryWindow::ReceiptHistoryWindow(AppContext& context, report::ReportPresenter& presenter, QWidget* parent)
    : QDialog(parent), context_(context), presenter_(presenter) {
  setObjectName("TFIstoricChit");
  setWindowTitle(kTitle);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  payer_ = new QComboBox(this);
  payer_->setObjectName("Platitor");
  cashier_ = new QComboBox(this);
  cashier_->setObjectName("Casier");
  for (QComboBox* filter : {payer_, cashier_}) {
    filter->setMinimumContentsLength(28);
    filter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(filter, &QComboBox::currentTextChanged, this, [this] {
      const HistoryDocument* current = selected();
      showDocuments(current ? std::optional(current->IDCHIT) : std::nullopt);
    });
  }
  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel("Platitor", this));
  filters->addWidget(payer_);
  filters->addSpacing(16);
  filters->addWidget(new QLabel("Casier", this));
  filters->addWidget(cashier_);
  filters->addStretch(1);

  documents_ = new RecordGrid({{"TIP"}, {"Seria"}, {"Nr."}, {"Din data"}, {"Suma"}, {"Platitor"}, {"Casier"}}, this);
  documents_->setObjectName("Cx");
  documents_->stretchColumn(5);
  documents_->sortByTitles();
  lines_ = new RecordGrid({{"Grupa"},
                           {"Rest.", "RESTANTE"},
                           {"Penal. rest.", "RESTANTE"},
                           {"Avans"},
                           {"Curent", "CURENTE"},
                           {"Penalit.", "CURENTE"},
                           {"Reducere"},
                           {"Suma"}},
                          this);
  lines_->setObjectName("Dx");
  lines_->stretchColumn(0);
  connect(documents_, &RecordGrid::recordChanged, this, &ReceiptHistoryWindow::showSelected);

  auto* buttons = new QVBoxLayout;
  const auto button = [&](const QString& text, const QString& name) {
    return commandButton(text, name, buttons, this);
  };
  print_ = button("Listeaza chitanta", "Listeaza");
  modify_ = button("Modifica chitanta", "Modifica");
  cancel_ = button("Anuleaza chitanta", "Anuleaza");
  delete_ = button("Sterge chitanta", "Sterge");
  buttons->addStretch(1);
  QPushButton* close = button("Inchide", "Inchide");
  connect(print_, &QPushButton::clicked, this, &ReceiptHistoryWindow::printDocument);
  connect(modify_, &QPushButton::clicked, this, &ReceiptHistoryWindow::modifyDocument);
  connect(cancel_, &QPushButton::clicked, this, &ReceiptHistoryWindow::cancelDocument);
  connect(delete_, &QPushButton::clicked, this, &ReceiptHistoryWindow::deleteDocument);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* grids = new QVBoxLayout;
  grids->addLayout(filters);
  grids->addWidget(gridCaption("  Chitante taiate", this));
  grids->addWidget(documents_, 3);
  grids->addWidget(gridCaption("  Continut chitanta", this));
  grids->addWidget(lines_, 2);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grids, 1);
  layout->addLayout(buttons);
  change_ = new ReceiptChangeDialog(*context_.interaction, this);
  resize(1000, 620);
}

ReceiptHistoryWindow::~ReceiptHistoryWindow() = default;

bool ReceiptHistoryWindow::load(const QString& title, const HistoryScope& scope, bool modificationAllowed) {
  setWindowTitle(title);
  modificationAllowed_ = modificationAllowed;
  cancelled_ = false;
  try {
    history_ = std::make_unique<ReceiptHistory>(*context_.database, context_.paths.dataDir, scope);
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
    history_.reset();
    return false;
  }
  reload(std::nullopt);
  return true;
}

bool ReceiptHistoryWindow::Open(const QString& title, const HistoryScope& scope, bool modificationAllowed) {
  if (!load(title, scope, modificationAllowed)) return false;
  exec();
  history_.reset();  // the copy goes with the window
  return cancelled_;
}

void ReceiptHistoryWindow::reload(std::optional<std::int64_t> select) {
  try {
    history_->reload();
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
  }
  // The filters keep what was chosen while it is still among the values.
  const auto refill = [](QComboBox* filter, const QStringList& values) {
    const QString chosen = filter->currentText();
    filter->blockSignals(true);
    filter->clear();
    filter->addItems(values);
    filter->setCurrentIndex(std::max(0, int(values.indexOf(chosen))));
    filter->blockSignals(false);
  };
  refill(payer_, history_->payers());
  refill(cashier_, history_->cashiers());
  showDocuments(select);
}

void ReceiptHistoryWindow::showDocuments(std::optional<std::int64_t> select) {
  if (!history_) return;
  shown_ = history_->filtered(payer_->currentText(), cashier_->currentText());
  QList<QVariantList> rows;
  int selectRow = int(shown_.size()) - 1;  // the latest document, as the list opens
  for (int i = 0; i < shown_.size(); ++i) {
    const HistoryDocument& d = shown_[i];
    rows.append({d.typeName(), d.SERIA, qlonglong(d.NR), d.DATAI, qlonglong(d.SUMA), d.PLATNUME, d.INCANUME});
    if (select && d.IDCHIT == *select) selectRow = i;
  }
  documents_->setRecords(rows, selectRow);
  showSelected();
}

const HistoryDocument* ReceiptHistoryWindow::selected() const {
  const int record = documents_->currentRecord();
  return record >= 0 && record < shown_.size() ? &shown_[record] : nullptr;
}

void ReceiptHistoryWindow::showSelected() {
  const HistoryDocument* document = selected();
  QList<QVariantList> rows;
  if (document && history_) {
    for (const ReceiptRecord& l : history_->lines(document->IDCHIT)) rows.append(receiptLineCells(l));
  }
  lines_->setRecords(rows, -1);  // read only: nothing to pick
  const HistoryButtons state = historyButtons(document, modificationAllowed_, context_.user);
  print_->setEnabled(state.print);
  modify_->setEnabled(state.modify);
  cancel_->setEnabled(state.cancel);
  delete_->setVisible(state.deleteVisible);
}

void ReceiptHistoryWindow::printDocument() {
  const HistoryDocument* document = selected();
  if (!document) return;
  try {
    PaymentContext payment = PaymentContext::of(context_);
    PrintReceipt(payment, document->IDCHIT, context_.paths.appDir, presenter_, *context_.interaction);
  } catch (const std::exception& e) {
    context_.interaction->error("Listare chitanta", sql::message(e));
  }
}

void ReceiptHistoryWindow::modifyDocument() {
  const HistoryDocument* document = selected();
  if (!document) return;
  const std::int64_t id = document->IDCHIT;
  const bool changed = change_->ask(
      {document->DATAI, document->SERIA, QString::number(document->NR)},
      [&](const DocumentNumbering& n) -> std::optional<Problem> {
        try {
          PaymentContext payment = PaymentContext::of(context_);
          return collect::modifyDocument(payment, id, n.date, n.series, n.number);
        } catch (const std::exception& e) {
          return Problem{"Modificare", sql::message(e), {}};
        }
      });
  if (changed) reload(id);
}

void ReceiptHistoryWindow::cancelDocument() {
  const HistoryDocument* document = selected();
  if (!document) return;
  const std::int64_t id = document->IDCHIT;
  cancel_->setEnabled(false);  // one cancellation at a time
  try {
    PaymentContext payment = PaymentContext::of(context_);
    if (collect::cancelDocument(payment, id, *context_.interaction)) cancelled_ = true;
  } catch (const std::exception& e) {
    context_.interaction->error("Anulare chitanta", sql::message(e));
  }
  reload(id);
}

void ReceiptHistoryWindow::deleteDocument() {
  const HistoryDocument* document = selected();
  if (!document) return;
  bool removed = false;
  try {
    PaymentContext payment = PaymentContext::of(context_);
    removed = deleteCancelledDocument(payment, document->IDCHIT, *context_.interaction);
  } catch (const std::exception& e) {
    context_.interaction->error("Stergere Chitanta anulata", sql::message(e));
  }
  // The list moves to its last document.
  if (removed) reload(std::nullopt);
}

}  // namespace dajdor::collect
