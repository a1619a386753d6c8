#include "widgets/record_grid.h"

#include "widgets/record_grid_widget.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace dajdor {

QTableWidget* makeRecordGrid(const QString& name, const QStringList& headers, QWidget* parent) {
  QList<RecordColumn> columns;
  for (const QString& h : headers) columns.append(RecordColumn(h));
  auto* grid = new RecordGrid(columns, parent);
  grid->setObjectName(name);
  // These grids keep the widths their page gives them.
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->horizontalHeader()->setStretchLastSection(true);
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
