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
  NumberValidator(NumericEdit::Kind kind, QObject* parent) : QValidator(parent), kind_(kind) {}

  State validate(QString& input, int&) const override {
    static const QRegularExpression whole(R"(^\d*$)");
    static const QRegularExpression decimal(R"(^\d*\.?\d*$)");
    if (kind_ == NumericEdit::Kind::Whole) return whole.match(input).hasMatch() ? Acceptable : Invalid;
    input.replace(',', '.');
    return decimal.match(input).hasMatch() ? Acceptable : Invalid;
  }

 private:
  NumericEdit::Kind kind_;
};

}  // namespace

NumericEdit::NumericEdit(Kind kind, int maxLength, QWidget* parent) : QLineEdit(parent), kind_(kind) {
  if (maxLength > 0) setMaxLength(maxLength);
  setValidator(new NumberValidator(kind, this));
  setAlignment(Qt::AlignRight);
  // Wide enough for its digits and never narrower than a short amount.
  const int digits = std::max(maxLength, 4);
  setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, '0')) + 16);
  connect(this, &QLineEdit::inputRejected, this, &NumericEdit::refuse);
}

QString NumericEdit::numberText() const {
  const QString t = text().trimmed();
  return t.isEmpty() || t == "." ? QStringLiteral("0") : t;
}

void NumericEdit::setNumberText(const QString& text) {
  fractionRefused_ = false;
  setText(text.trimmed());
}

QString NumericEdit::refusalMessage() const {
  return kind_ == Kind::Whole
             ? QStringLiteral("Introduceti numai cifre: valoarea este un numar intreg pozitiv.")
             : QStringLiteral("Introduceti un numar pozitiv; zecimalele dupa punct sau virgula.");
}

void NumericEdit::refuse() {
  // A digit is refused only for want of room.
  const QString message = isDigits(keyText_)
                              ? QStringLiteral("Valoarea are cel mult %1 cifre.").arg(maxLength())
                              : refusalMessage();
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
