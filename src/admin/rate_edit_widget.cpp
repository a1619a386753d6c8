#include "admin/rate_edit_widget.h"

#include "widgets/balloon_hint_widget.h"

#include <QRegularExpression>

namespace dajdor::admin {

RateEdit::RateEdit(const SettingInput& input, QWidget* parent)
    : QLineEdit(parent), kind_(input.kind) {
  setObjectName(input.name);
  if (input.maxLength > 0) setMaxLength(input.maxLength);
  setToolTip(input.hint);
  setAlignment(Qt::AlignRight);
  // Wide enough for its digits and never narrower than a short amount.
  const int digits = std::max(input.maxLength, 4);
  setFixedWidth(fontMetrics().horizontalAdvance(QString(digits, '0')) + 16);
  connect(this, &QLineEdit::textEdited, this, &RateEdit::onEdited);
}

bool RateEdit::acceptable(const QString& text) const {
  static const QRegularExpression whole(R"(^\d*$)");
  static const QRegularExpression decimal(R"(^\d*\.?\d*$)");
  return (kind_ == InputKind::Integer ? whole : decimal).match(text.trimmed()).hasMatch();
}

QString RateEdit::refusalMessage() const {
  return kind_ == InputKind::Integer
             ? QStringLiteral("Introduceti numai cifre: valoarea este un numar intreg pozitiv.")
             : QStringLiteral("Introduceti un numar pozitiv, cu punct pentru zecimale.");
}

void RateEdit::onEdited(const QString& text) {
  if (acceptable(text)) {
    accepted_ = text;
    return;
  }
  const int cursor = std::min(cursorPosition(), static_cast<int>(accepted_.size()));
  setText(accepted_);
  setCursorPosition(cursor);
  ShowProblem(refusalMessage(), this);
}

QString RateEdit::rateText() const {
  const QString t = text().trimmed();
  return t.isEmpty() || t == "." ? QStringLiteral("0") : t;
}

void RateEdit::setRateText(const QString& text) {
  accepted_ = text.trimmed();
  setText(accepted_);
}

void RateEdit::focusOutEvent(QFocusEvent* event) {
  if (text().trimmed().isEmpty()) setRateText("0");
  QLineEdit::focusOutEvent(event);
}

}  // namespace dajdor::admin
