#include "widgets/record_grid.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace dajdor {

QTableWidget* makeRecordGrid(const QString& name, const QStringList& headers, QWidget* parent) {
  auto* grid = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  grid->setObjectName(name);
  grid->setHorizontalHeaderLabels(headers);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setWordWrap(false);
  return grid;
}

void setRecordRow(QTableWidget* grid, int row, const QStringList& cells, const QList<int>& rightAligned) {
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    if (rightAligned.contains(c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setItem(row, c, item);
  }
}

QPushButton* plainButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace dajdor
