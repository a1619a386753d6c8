// The program's one numeric input: rates, receipt numbers, amounts, the
// quantities of the assessment pages. A key that would not leave a number the
// input takes (non-negative unless signed, whole for whole-number inputs, within
// its digits) changes nothing, not even the selection, and a balloon says why; in
// a decimal input a comma is the decimal point, as Romanian keyboards type it.
#pragma once

#include <QLineEdit>

namespace dajdor {

class NumericEdit : public QLineEdit {
  Q_OBJECT
 public:
  enum class Kind { Whole, Decimal };

  // `maxLength` characters at most (none when 0); right-aligned and wide enough for them.
  NumericEdit(Kind kind, int maxLength, QWidget* parent = nullptr);

  Kind kind() const { return kind_; }
  // The digits before and after the point that the input takes (any number when
  // 0), and whether a leading minus is allowed: the shape of a table's column.
  void setShape(int wholeDigits, int decimals, bool allowNegative);
  // The text as a number: "0" when the input was left empty.
  QString numberText() const;
  void setNumberText(const QString& text);
  // What the balloon says when a key or a paste is refused.
  QString refusalMessage() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void refuse();

  Kind kind_;
  bool signed_ = false;
  int wholeDigits_ = 0;
  int decimals_ = 0;
  QString keyText_;  // text of the key being handled, to tell why it was refused
  // A decimal point was refused in a whole-number input: the digits typed right
  // after it are its fraction and are refused too, so "1.5" never becomes 15.
  bool fractionRefused_ = false;
};

}  // namespace dajdor
