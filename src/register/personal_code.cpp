#include "register/personal_code.h"

namespace dajdor::reg {
namespace {

bool allDigits(const QString& text) {
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

int number(const QString& text, int from, int count) { return text.mid(from, count).toInt(); }

// Digits 2 to 7 as a date, the century chosen by the first digit.
QDate birthDate(const QString& text) {
  if (!allDigits(text.left(7))) return {};
  const QChar first = text[0];
  const int century = first == QLatin1Char('5') || first == QLatin1Char('6') ? 2000 : 1900;
  return QDate(century + number(text, 1, 2), number(text, 3, 2), number(text, 5, 2));
}

}  // namespace

bool Corect(const QString& text, bool acceptEmpty) {
  if (text.isEmpty()) return acceptEmpty;
  if (text.size() != kCodeLength || !allDigits(text)) return false;
  if (!QStringLiteral("1256789").contains(text[0])) return false;
  if (!birthDate(text).isValid()) return false;
  static const char kKey[] = "279146358279";
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += text[i].digitValue() * (kKey[i] - '0');
  int control = sum % 11;
  if (control == 10) control = 1;
  return text[12].digitValue() == control;
}

QDate NascutLa(const QString& text) {
  if (text.size() <= 6) return {};
  return birthDate(text);
}

QString Sexul(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("1579").contains(text[0]) ? QStringLiteral("masculin") : QStringLiteral("feminin");
}

}  // namespace dajdor::reg
