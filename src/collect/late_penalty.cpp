#include "collect/late_penalty.h"

#include <algorithm>

namespace dajdor::collect {
namespace {

// Rates in ten-thousandths: 2 % a month, 0.1 % a day.
constexpr std::int64_t kMonthRate = 200;
constexpr std::int64_t kDayRate = 10;
constexpr std::int64_t kScale = 10000;
// Below this a year's amount is paid as one installment.
constexpr std::int64_t kSplitThreshold = 50;

std::int64_t roundScaled(std::int64_t scaled) {
  const std::int64_t whole = scaled / kScale;
  const std::int64_t rest = scaled % kScale;
  if (rest * 2 >= kScale) return whole + 1;
  if (rest * 2 <= -kScale) return whole - 1;
  return whole;
}

}  // namespace

QDate penaltyRegimeChange() { return QDate(2010, 7, 1); }

int MonthSpan(const QDate& from, const QDate& to) {
  return (to.year() * 12 + to.month()) - (from.year() * 12 + from.month());
}

std::int64_t LatePenalty(bool noPenalties, const QDate& dueDate, const QDate& calcDate, std::int64_t amount) {
  if (noPenalties || amount <= 0 || !dueDate.isValid() || !calcDate.isValid() || calcDate <= dueDate) return 0;
  QDate from = dueDate;
  std::int64_t scaled = 0;
  const QDate change = penaltyRegimeChange();
  if (from < change) {
    const QDate until = std::min(calcDate, change);
    scaled = amount * (MonthSpan(from, until) * kMonthRate + from.daysTo(until) * kDayRate);
    from = until;
  }
  if (calcDate != from) scaled += amount * MonthSpan(from, calcDate) * kMonthRate;
  return roundScaled(scaled);
}

Installments InstallmentSplit(std::int64_t assessed, std::int64_t unpaid) {
  if (assessed < kSplitThreshold) return {unpaid, 0};
  const std::int64_t firstHalf = assessed / 2;
  const std::int64_t secondHalf = assessed - firstHalf;
  if (unpaid <= secondHalf) return {0, unpaid};
  return {std::max<std::int64_t>(unpaid - secondHalf, 0), secondHalf};
}

}  // namespace dajdor::collect
