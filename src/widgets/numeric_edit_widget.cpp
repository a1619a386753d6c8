#include "widgets/numeric_edit_widget.h"

#include "widgets/balloon_hint_widget.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QValidator>

#include <algorithm>

namespace dajdor {
namespace {

bool isDigits(const QString& text) {
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

bool isDecimalSeparator(const QString& text) { return text == "." || text == ","; }

// Refusing through the validator lets the line edit undo the change itself, so
// the text, the cursor and the selection stay as they were.
class NumberValidator : public QValidator {
 public:
  NumberValidator(NumericEdit::Kind kind, int wholeDigits, int decimals, bool allowNegative, QObject* parent)
      : QValidator(parent) {
    const QString sign = allowNegative ? QStringLiteral("-?") : QString();
    const QString whole = wholeDigits > 0 ? QStringLiteral("\\d{0,%1}").arg(wholeDigits) : QStringLiteral("\\d*");
    const QString fraction = decimals > 0 ? QStringLiteral("\\d{0,%1}").arg(decimals) : QStringLiteral("\\d*");
    shape_.setPattern(kind == NumericEdit::Kind::Whole ? QStringLiteral("^%1%2$").arg(sign, whole)
                                                       : QStringLiteral("^%1%2(\\.%3)?$").arg(sign, whole, fraction));
  }

  State validate(QString& input, int&) const override {
    input.replace(',', '.');
    return shape_.match(input).hasMatch() ? Acceptable : Invalid;
  }

 private:
  QRegularExpression shape_;
};

}  // namespace

NumericEdit::NumericEdit(Kind kind, int maxLength, QWidget* parent) : QLineEdit(parent), kind_(kind) {
  if (maxLength > 0) setMaxLength(maxLength);
  setValidator(new NumberValidator(kind, 0, 0, false, this));
  setAlignment(Qt::AlignRight);
  // Wide enough for its digits and never narrower than a short amount.
  const int digits = std::max(maxLength, 4);
  setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, '0')) + 16);
  connect(this, &QLineEdit::inputRejected, this, &NumericEdit::refuse);
}

void NumericEdit::setShape(int wholeDigits, int decimals, bool allowNegative) {
  signed_ = allowNegative;
  wholeDigits_ = wholeDigits;
  decimals_ = decimals;
  delete validator();
  setValidator(new NumberValidator(kind_, wholeDigits, decimals, allowNegative, this));
}

QString NumericEdit::numberText() const {
  const QString t = text().trimmed();
  return t.isEmpty() || t == "." || t == "-" || t == "-." ? QStringLiteral("0") : t;
}

void NumericEdit::setNumberText(const QString& text) {
  fractionRefused_ = false;
  setText(text.trimmed());
}

QString NumericEdit::refusalMessage() const {
  if (signed_)
    return kind_ == Kind::Whole ? QStringLiteral("Introduceti numai cifre, cu minus in fata daca e negativ.")
                                : QStringLiteral("Introduceti un numar; zecimalele dupa punct sau virgula.");
  return kind_ == Kind::Whole
             ? QStringLiteral("Introduceti numai cifre: valoarea este un numar intreg pozitiv.")
             : QStringLiteral("Introduceti un numar pozitiv; zecimalele dupa punct sau virgula.");
}

void NumericEdit::refuse() {
  // A digit is refused only for want of room.
  QString message = refusalMessage();
  if (isDigits(keyText_) && wholeDigits_ > 0)
    message = kind_ == Kind::Whole || decimals_ == 0
                  ? QStringLiteral("Valoarea are cel mult %1 cifre.").arg(wholeDigits_)
                  : QStringLiteral("Valoarea are cel mult %1 cifre inainte de punct si %2 zecimale.")
                        .arg(wholeDigits_)
                        .arg(decimals_);
  else if (isDigits(keyText_))
    message = QStringLiteral("Valoarea are cel mult %1 cifre.").arg(maxLength());
  ShowProblem(message, this);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (fractionRefused_ && isDigits(typed)) {
    ShowProblem(refusalMessage(), this);
    event->accept();
    return;
  }
  fractionRefused_ = kind_ == Kind::Whole && isDecimalSeparator(typed);
  keyText_ = typed;
  QLineEdit::keyPressEvent(event);
  keyText_.clear();
}

void NumericEdit::mousePressEvent(QMouseEvent* event) {
  fractionRefused_ = false;
  QLineEdit::mousePressEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
  fractionRefused_ = false;
  if (text().trimmed().isEmpty()) setNumberText("0");
  QLineEdit::focusOutEvent(event);
}

}  // namespace dajdor
