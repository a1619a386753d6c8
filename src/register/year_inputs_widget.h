// The inputs the dialogs of the year's operations (fines, debits, taxes for a
// village) are made of: numbers of a table column's shape read as amounts,
// dates, and lists.
#pragma once

#include "store/currency.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QWidget;

namespace dajdor {
class NumericEdit;
}

namespace dajdor::reg {

// A number input of `wholeDigits` before the point and `decimals` after it.
NumericEdit* yearNumber(const QString& name, int wholeDigits, int decimals, bool allowNegative, QWidget* parent);
// What it holds as an amount (0 when left empty).
Currency amountIn(const NumericEdit* edit);
void showAmount(NumericEdit* edit, Currency amount);
QDateEdit* yearDate(const QString& name, QWidget* parent);
QComboBox* yearChoice(const QString& name, const QStringList& items, QWidget* parent);
// Selects `text` when the list holds it, else the first item.
void chooseItem(QComboBox* combo, const QString& text);

}  // namespace dajdor::reg
