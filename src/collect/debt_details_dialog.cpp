#include "collect/debt_details_dialog.h"

#include "collect/debt_details.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "store/version.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::collect {

DebtDetailsDialog::DebtDetailsDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), table_(new QTableWidget(this)) {
  setObjectName("TFDetaliiDebite");
  auto* layout = new QVBoxLayout(this);
  table_->setObjectName("Detalii");
  table_->setColumnCount(9);
  table_->setHorizontalHeaderLabels({"Din data", "Grupa", "Denumirea", "Nr.", "Explicatii", "U.M.", "Cant.",
                                     "VALOARE INITIALA\nRamas.", "VALOARE INITIALA\nCurent"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  layout->addWidget(table_);
  auto* close = new QPushButton("Inchide", this);
  close->setObjectName("Inchide");
  layout->addWidget(close, 0, Qt::AlignRight);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  resize(1100, 520);
}

bool DebtDetailsDialog::openFor(const QString& title, std::int64_t IDGOS) {
  setWindowTitle(title);
  try {
    const DebtDetails details(*context_.database, context_.paths.dataDir, context_.paths.appDir, IDGOS, kWorkYear);
    table_->setRowCount(int(details.rows().size()));
    for (int r = 0; r < details.rows().size(); ++r) {
      const DebtDetail& d = details.rows()[r];
      const QStringList cells = {d.DINDATA.toString("dd.MM.yyyy"), d.GRUPA, d.DENUM, QString::number(d.NR), d.DOCJUS,
                                 d.UM, QString::number(d.CANT, 'f', 2), QString::number(d.RESTINI),
                                 QString::number(d.SUMA2)};
      for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c == 3 || c >= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, c, item);
      }
    }
  } catch (const std::exception& e) {
    context_.interaction->error(title, sql::message(e));
    return false;
  }
  return true;
}

void DebtDetailsDialog::showFor(const QString& title, std::int64_t IDGOS) {
  if (openFor(title, IDGOS)) exec();
}

}  // namespace dajdor::collect
