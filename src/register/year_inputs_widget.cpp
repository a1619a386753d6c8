#include "register/year_inputs_widget.h"

#include "widgets/date_time_typing.h"
#include "widgets/numeric_edit_widget.h"

#include <QComboBox>
#include <QDateEdit>

namespace dajdor::reg {

NumericEdit* yearNumber(const QString& name, int wholeDigits, int decimals, bool allowNegative, QWidget* parent) {
  const int length = wholeDigits + (decimals > 0 ? decimals + 1 : 0) + (allowNegative ? 1 : 0);
  auto* edit = new NumericEdit(decimals > 0 ? NumericEdit::Kind::Decimal : NumericEdit::Kind::Whole, length, parent);
  edit->setObjectName(name);
  edit->setShape(wholeDigits, decimals, allowNegative);
  return edit;
}

Currency amountIn(const NumericEdit* edit) {
  Currency amount;
  return Currency::parsePlain(edit->numberText(), amount) ? amount : Currency();
}

void showAmount(NumericEdit* edit, Currency amount) { edit->setNumberText(amount.text()); }

QDateEdit* yearDate(const QString& name, QWidget* parent) {
  auto* day = new QDateEdit(parent);
  day->setObjectName(name);
  day->setDisplayFormat("dd.MM.yyyy");
  day->setCalendarPopup(true);
  letDigitsOverwriteSections(day);
  return day;
}

QComboBox* yearChoice(const QString& name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  combo->setMaxVisibleItems(20);
  return combo;
}

void chooseItem(QComboBox* combo, const QString& text) {
  const int found = combo->findText(text);
  combo->setCurrentIndex(found >= 0 ? found : (combo->count() > 0 ? 0 : -1));
}

}  // namespace dajdor::reg
