// The read-only grids of stored rows beside their "Adauga / Modifica / Sterge"
// buttons: whole rows selected one at a time, nothing typed into the cells.
#pragma once

#include <QString>
#include <QStringList>

class QPushButton;
class QTableWidget;
class QWidget;

namespace dajdor {

QTableWidget* makeRecordGrid(const QString& name, const QStringList& headers, QWidget* parent);
// Fills row `row` with `cells`, numbers right-aligned when `rightAligned` says so.
void setRecordRow(QTableWidget* grid, int row, const QStringList& cells, const QList<int>& rightAligned = {});
// A button that Enter in an input never presses.
QPushButton* plainButton(const QString& name, const QString& caption, QWidget* parent);

}  // namespace dajdor
