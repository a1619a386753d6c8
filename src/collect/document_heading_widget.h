// The parts the payment windows share above their lines: the row naming the
// document (its type, series, number and date) and captioned inputs laid out
// two to a row.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace dajdor {
class NumericEdit;
}

namespace dajdor::collect {

struct DocumentHeading {
  QLabel* seriesCaption;  // "Seria", or what the document calls it
  QLabel* series;         // objectName "Seria"
  NumericEdit* number;    // "NrDoc", digits, at most 10
  QDateEdit* date;        // "DataDoc"
  QHBoxLayout* row;       // `lead`, then the series, the number and the date
};
DocumentHeading documentHeading(const QList<QWidget*>& lead, QWidget* parent);

// Each caption right-aligned before its input, two pairs to a row from `firstRow` on.
void addCaptionedPairs(QGridLayout* grid, int firstRow, const QList<QPair<QString, QWidget*>>& pairs);

// An input shown for reading only looks so, and takes no focus.
void showReadOnly(QLineEdit* input, bool readOnly);

}  // namespace dajdor::collect
