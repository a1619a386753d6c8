#include "register/page_value_rules.h"

#include "store/sql_helpers.h"

#include <QDate>
#include <QRegularExpression>

namespace dajdor::reg {
namespace {

constexpr char kDateFormat[] = "dd.MM.yyyy";

QString quotedExcerpt(const QString& text) {
  return "\"" + (text.size() > 20 ? text.left(20) + "..." : text) + "\"";
}

QDate parsedDate(const QString& text) {
  QDate day = QDate::fromString(text.trimmed(), kDateFormat);
  if (!day.isValid()) day = QDate::fromString(text.trimmed(), "d.M.yyyy");
  return day;
}

QString numberProblem(const PageInput& input, const QString& text) {
  static const QRegularExpression shape(R"(^-?(\d+)?(?:\.(\d*))?$)");
  const QString number = normalisedNumber(text);
  const auto match = shape.match(number);
  if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
    return QString("Valoarea %1 nu este un numar!").arg(quotedExcerpt(text));
  QString whole = match.captured(1);
  while (whole.size() > 1 && whole.startsWith('0')) whole.remove(0, 1);
  QString fraction = match.captured(2);
  while (fraction.endsWith('0')) fraction.chop(1);
  const int wholeDigits = input.wholeDigits(number.startsWith('-'));
  if (whole.size() <= wholeDigits && fraction.size() <= input.decimals) return {};
  if (input.decimals == 0)
    return QString("Valoarea %1 nu incape: se pot memora cel mult %2 cifre, fara zecimale!")
        .arg(quotedExcerpt(text))
        .arg(wholeDigits);
  return QString("Valoarea %1 nu incape: se pot memora cel mult %2 cifre inainte de punct si %3 zecimale!")
      .arg(quotedExcerpt(text))
      .arg(wholeDigits)
      .arg(input.decimals);
}

}  // namespace

QString normalisedNumber(const QString& text) {
  QString t = text.trimmed();
  t.replace(',', '.');
  return t.isEmpty() ? QStringLiteral("0") : t;
}

QString valueProblem(const PageInput& input, const QString& text) {
  switch (input.kind) {
    case PageInputKind::Quantity:
    case PageInputKind::Position: {
      const QString problem = numberProblem(input, text);
      if (!problem.isEmpty() || input.kind == PageInputKind::Quantity) return problem;
      return normalisedNumber(text).contains('.') ? QString("Pozitia %1 nu este un numar intreg!").arg(text)
                                                  : QString();
    }
    case PageInputKind::ListText:
      return input.items.contains(text.trimmed())
                 ? QString()
                 : QString("Valoarea %1 nu este una din: %2!").arg(quotedExcerpt(text), input.items.join(", "));
    case PageInputKind::YesNo:
      return text == "DA" || text == "NU" ? QString() : QString("Valoarea %1 nu este DA sau NU!").arg(quotedExcerpt(text));
    case PageInputKind::Date:
      return parsedDate(text).isValid() ? QString()
                                        : QString("Data %1 nu este o data valida (zz.ll.aaaa)!").arg(quotedExcerpt(text));
    case PageInputKind::Display: return {};
  }
  return {};
}

QString sqlValue(const PageInput& input, const QString& text) {
  switch (input.kind) {
    case PageInputKind::Quantity: {
      const double v = normalisedNumber(text).toDouble();
      return input.decimals == 0 ? sql::number(static_cast<std::int64_t>(v)) : sql::number(v, input.decimals);
    }
    case PageInputKind::Position: return sql::number(static_cast<std::int64_t>(normalisedNumber(text).toLongLong()));
    case PageInputKind::ListText:
    case PageInputKind::YesNo: return sql::quote(text.trimmed());
    case PageInputKind::Date: return sql::date(parsedDate(text));
    case PageInputKind::Display: break;
  }
  return {};
}

QString storedText(const PageInput& input, const engine::Value& value) {
  switch (input.kind) {
    case PageInputKind::Quantity: return value.isNull() ? QStringLiteral("0") : QString::fromStdString(value.toString());
    case PageInputKind::Position: return value.isNull() ? QString() : QString::number(value.toInt());
    case PageInputKind::ListText: {
      const QString text = QString::fromStdString(value.toString()).trimmed();
      return input.items.contains(text) ? text : QString();
    }
    case PageInputKind::YesNo:
      return QString::fromStdString(value.toString()).trimmed().toUpper() == "DA" ? QStringLiteral("DA")
                                                                                  : QStringLiteral("NU");
    case PageInputKind::Date:
      return value.isNull() ? QString() : QString::fromStdString(engine::formatDate(value.toDay()));
    case PageInputKind::Display: break;
  }
  return {};
}

}  // namespace dajdor::reg
