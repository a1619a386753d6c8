#include "collect/cancelled_receipts_window.h"

#include "collect/command_button_widget.h"
#include "collect/grid_caption_widget.h"
#include "collect/receipt_line_cells.h"
#include "report/cancelled_receipts_report.h"
#include "report/receipt.h"
#include "report/report_output.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/record_grid_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {

CancelledReceiptsWindow::CancelledReceiptsWindow(AppContext& context, report::ReportPresenter& presenter,
                                                 QWidget* parent)
    : QDialog(parent), context_(context), presenter_(presenter) {
  setObjectName("TFChitAnul");
  setWindowTitle(kNoCancelledTitle);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  documents_ = new RecordGrid(
      {{"Document justificativ"}, {"Localitatea"}, {"ROL"}, {"Suma"}, {"Titular"}, {"Casier"}}, this);
  documents_->setObjectName("ChitAnul");
  documents_->stretchColumn(4);
  documents_->sortByTitles();
  lines_ = new RecordGrid({{"Grupa"}, {"Rest."}, {"Majorari"}, {"Avans"}, {"Curent"}, {"Majorari"}, {"Reducere"},
                           {"Suma"}},
                          this);
  lines_->setObjectName("Continut");
  lines_->stretchColumn(0);
  connect(documents_, &RecordGrid::recordChanged, this, &CancelledReceiptsWindow::showLines);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  QPushButton* print = commandButton("&Listeaza", "Listeaza", buttons, this);
  QPushButton* close = commandButton("Inchide", "Inchide", buttons, this);
  connect(print, &QPushButton::clicked, this, [this] { printList(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gridCaption("  Chitante anulate", this));
  layout->addWidget(documents_, 3);
  layout->addWidget(gridCaption("  Continut chitanta", this));
  layout->addWidget(lines_, 2);
  layout->addLayout(buttons);
  resize(1000, 600);
}

bool CancelledReceiptsWindow::load() {
  try {
    cancelled_ = cancelledDocuments(*context_.database, context_.paths.dataDir);
  } catch (const std::exception& e) {
    context_.interaction->error(kNoCancelledTitle, sql::message(e));
    return false;
  }
  if (cancelled_.isEmpty()) {
    context_.interaction->info(kNoCancelledTitle, kNoCancelledText);
    return false;
  }
  QList<QVariantList> rows;
  for (const CancelledDocument& d : cancelled_)
    rows.append({d.DOCJUS(), d.SATUL, d.ROL, qlonglong(d.SUMA), d.NUMEP, d.INCANUME});
  documents_->setRecords(rows);
  showLines();
  return true;
}

void CancelledReceiptsWindow::showCancelled() {
  if (load()) exec();
}

void CancelledReceiptsWindow::showLines() {
  const int record = documents_->currentRecord();
  QList<QVariantList> rows;
  if (record >= 0 && record < cancelled_.size()) {
    try {
      for (const ReceiptRecord& l :
           cancelledLines(*context_.database, context_.paths.dataDir, cancelled_[record].IDCHIT))
        rows.append(receiptLineCells(l));
    } catch (const std::exception& e) {
      context_.interaction->error(kNoCancelledTitle, sql::message(e));
    }
  }
  lines_->setRecords(rows, -1);  // read only: nothing to pick
}

bool CancelledReceiptsWindow::printList() {
  if (documents_->recordCount() == 0) {
    context_.interaction->problem("Nu aveti ce lista!", documents_->objectName());
    return false;
  }
  QList<CancelledDocument> shown;
  for (int row = 0; row < documents_->rowCount(); ++row)
    shown.append(cancelled_[documents_->item(row, 0)->data(Qt::UserRole).toInt()]);
  const QString townHall = report::TownHall::fromRates(context_.rates).name;
  const report::ReportDocument document = report::layOutCancelledReceipts(townHall, cancelledReportRows(shown));
  if (presenter_.preview(document)) return true;
  context_.interaction->error(kNoCancelledTitle, "Imprimanta nu este pregatita sau nu este instalata!");
  return false;
}

}  // namespace dajdor::collect
