// The read-only grids of stored rows beside their "Adauga / Modifica / Sterge"
// buttons: a RecordGrid of plain captions, filled row by row with texts.
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
