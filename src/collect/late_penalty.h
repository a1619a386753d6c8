// Late-payment penalties and the two yearly installments.
//
// Amounts are whole lei; the arithmetic is exact in ten-thousandths of a leu
// and the result is rounded half away from zero.
#pragma once

#include <QDate>

#include <cstdint>

namespace dajdor::collect {

// The day penalties changed from 2 % a month plus 0.1 % a day to 2 % a month.
QDate penaltyRegimeChange();

// Calendar months between the two dates, the day of the month ignored: 31 March
// to 1 April is one month.
int MonthSpan(const QDate& from, const QDate& to);

// Penalty owed at `calcDate` on `amount` due at `dueDate`; 0 when waived, not
// yet late, or nothing owed.
std::int64_t LatePenalty(bool noPenalties, const QDate& dueDate, const QDate& calcDate, std::int64_t amount);

// What remains unpaid of each installment of a year's amount `assessed` when
// `unpaid` of it is still owed; payments settle the first installment first.
struct Installments {
  std::int64_t first = 0;   // due 31 March
  std::int64_t second = 0;  // due 30 September
  friend bool operator==(const Installments&, const Installments&) = default;
};
Installments InstallmentSplit(std::int64_t assessed, std::int64_t unpaid);

}  // namespace dajdor::collect
