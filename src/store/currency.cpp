#include "store/currency.h"

#include <cmath>
#include <cstdlib>

namespace dajdor {
namespace {

__extension__ typedef __int128 Wide;

// a / b rounded half away from zero (b > 0).
std::int64_t divideRounded(Wide a, Wide b) {
  const Wide q = a / b;
  const Wide r = a % b;
  const Wide twice = (r < 0 ? -r : r) * 2;
  if (twice >= b) return static_cast<std::int64_t>(a < 0 ? q - 1 : q + 1);
  return static_cast<std::int64_t>(q);
}

}  // namespace

Currency Currency::fromDouble(double value) { return Currency(static_cast<std::int64_t>(std::llround(value * kScale))); }

Currency Currency::fromText(const QString& text) {
  const engine::Value v = engine::Value::parseNumber(text.trimmed().toStdString());
  return fromValue(v);
}

bool Currency::parsePlain(QStringView text, Currency& out) {
  text = text.trimmed();
  qsizetype i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative || (i < text.size() && text[i] == '+')) ++i;
  std::int64_t whole = 0, fraction = 0;
  int digits = 0, decimals = 0;
  for (; i < text.size() && text[i].isDigit(); ++i, ++digits) {
    if (digits >= 14) return false;
    whole = whole * 10 + text[i].digitValue();
  }
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    for (++i; i < text.size() && text[i].isDigit(); ++i, ++decimals) {
      if (decimals >= 4) return false;
      fraction = fraction * 10 + text[i].digitValue();
    }
  }
  if (i != text.size() || digits + decimals == 0) return false;
  for (int d = decimals; d < 4; ++d) fraction *= 10;
  const std::int64_t units = whole * kScale + fraction;
  out = Currency(negative ? -units : units);
  return true;
}

Currency Currency::fromValue(const engine::Value& value) {
  if (!value.isNumber()) return {};
  if (!value.isExact()) return fromDouble(value.toDouble());
  Wide m = value.mantissa();
  int scale = value.scale();
  while (scale < 4) {
    m *= 10;
    ++scale;
  }
  Wide divisor = 1;
  for (; scale > 4; --scale) divisor *= 10;
  return Currency(divideRounded(m, divisor));
}

std::int64_t Currency::rounded() const { return divideRounded(units_, kScale); }

std::int64_t Currency::ceiling() const {
  const std::int64_t q = units_ / kScale;
  return units_ > 0 && units_ % kScale != 0 ? q + 1 : q;
}

QString Currency::text() const {
  const std::int64_t whole = std::llabs(units_ / kScale);
  std::int64_t fraction = std::llabs(units_ % kScale);
  QString out = (units_ < 0 ? QStringLiteral("-") : QString()) + QString::number(whole);
  if (fraction == 0) return out;
  QString digits = QString::number(fraction).rightJustified(4, '0');
  while (digits.endsWith('0')) digits.chop(1);
  return out + '.' + digits;
}

Currency Currency::operator*(Currency o) const {
  return Currency(divideRounded(static_cast<Wide>(units_) * o.units_, kScale));
}

Currency Currency::percent(Currency rate) const {
  return Currency(divideRounded(static_cast<Wide>(units_) * rate.units_, static_cast<Wide>(kScale) * 100));
}

}  // namespace dajdor
