#include "store/text_rules.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <limits>

namespace dajdor {

QString CleanSpaces(const QString& text) {
  QString result = text.trimmed();
  while (result.contains(QLatin1String("  "))) result.replace(QLatin1String("  "), QLatin1String(" "));
  return result;
}

QString JoinConditions(const QString& text) {
  QString result = text.trimmed();
  result.replace(QLatin1String(")("), QLatin1String(") AND ("));
  return result;
}

QString FirstWord(const QString& text) {
  const qsizetype blank = text.indexOf(QLatin1Char(' '));
  return blank < 0 ? text : text.left(blank);
}

QString AfterFirstWord(const QString& text) {
  const qsizetype blank = text.indexOf(QLatin1Char(' '));
  return blank < 0 ? QString() : text.mid(blank + 1).trimmed();
}

std::int64_t RoundToInt(double x) {
  // std::round rounds halves away from zero without the x + 0.5 error on
  // 0.49999999999999994; values no amount reaches are clamped, NaN is 0.
  if (std::isnan(x)) return 0;
  constexpr double kLimit = 9.0e18;
  if (x >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (x <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(std::round(x));
}

namespace {

const std::array<const char*, 10> kDigitNames = {"zero", "una",  "doua", "trei", "patru",
                                                 "cinci", "sase", "sapte", "opt", "noua"};
// Suffix of the group that has n groups still to write (n counted down to 1).
const std::array<const char*, 5> kGroupSuffixes = {"", "", "mii", "milioane", "miliarde"};

QString digitName(int digit) { return QString::fromLatin1(kDigitNames[static_cast<size_t>(digit)]); }

QString groupWords(int h, int t, int u) {
  QString words;
  if (h == 1) {
    words += QLatin1String("unasuta");
  } else if (h > 1) {
    words += digitName(h) + QLatin1String("sute");
  }
  const int v = 10 * t + u;
  if (v >= 1 && v <= 9) {
    words += digitName(u);
  } else if (v == 10) {
    words += QLatin1String("zece");
  } else if (v == 11) {
    words += QLatin1String("unsprezece");
  } else if (v == 12) {
    words += QLatin1String("doisprezece");
  } else if (v >= 13 && v <= 19) {
    words += digitName(u) + QLatin1String("sprezece");
  } else if (v >= 20) {
    words += digitName(t) + QLatin1String("zeci");
    if (u != 0) words += QLatin1String("si") + digitName(u);
  }
  return words;
}

}  // namespace

QString AmountInWords(const QString& text) {
  QString digits = text.trimmed();
  digits.remove(QLatin1Char(','));
  const qsizetype point = digits.indexOf(QLatin1Char('.'));
  if (point >= 0) digits.truncate(point);
  for (const QChar c : digits) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QString();
  }
  // Leading zeros would only make empty groups, which are skipped.
  while (digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
  if (digits.isEmpty()) return QStringLiteral("zero");
  // Beyond the miliarde there is no group name.
  if (digits.size() > 12) return QString();
  while (digits.size() % 3 != 0) digits.prepend(QLatin1Char('0'));
  const qsizetype groups = digits.size() / 3;

  QString result;
  for (qsizetype g = 0; g < groups; ++g) {
    const qsizetype n = groups - g;
    const QString words = groupWords(digits[3 * g].digitValue(), digits[3 * g + 1].digitValue(),
                                     digits[3 * g + 2].digitValue());
    if (words.isEmpty()) continue;
    result += words;
    result += QLatin1String(kGroupSuffixes[static_cast<size_t>(n)]);
  }
  if (result.isEmpty()) return QStringLiteral("zero");
  if (result.endsWith(QLatin1String("una"))) {
    result[result.size() - 1] = QLatin1Char('u');
  } else if (result.size() > 3 && result.endsWith(QLatin1String("doua"))) {
    result.chop(4);
    result += QLatin1String("doi");
  }
  return result;
}

int GroupIndex(const QString& group) {
  // Group names come from blank-padded table fields.
  QString name = group;
  while (name.endsWith(QLatin1Char(' '))) name.chop(1);
  const std::array<const QString*, 4> mainGroups = {&kGroupBuildings, &kGroupLandInside,
                                                    &kGroupLandOutside, &kGroupVehicles};
  for (size_t i = 0; i < mainGroups.size(); ++i) {
    if (name.compare(*mainGroups[i], Qt::CaseInsensitive) == 0) return static_cast<int>(i) + 1;
  }
  return 5;
}

bool IsValidIban(const QString& text) {
  QString iban;
  for (const QChar c : text.toUpper()) {
    if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) iban += c;
  }
  if (iban.size() != 24 || !iban.startsWith(QLatin1String("RO")) || !iban[2].isDigit() || !iban[3].isDigit()) return false;
  const QString rearranged = iban.mid(4) + iban.left(4);
  // The remainder is built digit by digit, so the 30-digit number never exists.
  int remainder = 0;
  for (const QChar c : rearranged) {
    const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
    remainder = value >= 10 ? (remainder * 100 + value) % 97 : (remainder * 10 + value) % 97;
  }
  return remainder == 1;
}

bool IsValidCui(const QString& text) {
  if (text.size() < 3 || text.size() > 10) return false;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  const QString padded = text.rightJustified(10, QLatin1Char('0'));
  static const char kKey[] = "753217532";
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += padded[i].digitValue() * (kKey[i] - '0');
  return padded[9].digitValue() == (sum * 10 % 11) % 10;
}

}  // namespace dajdor
