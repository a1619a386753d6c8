#include "store/clock.h"

#include <optional>

namespace dajdor {
namespace {
std::optional<QDateTime>& fixedMoment() {
  static std::optional<QDateTime> moment;
  return moment;
}
const QDate kDayZero(1899, 12, 30);
}  // namespace

QDateTime Clock::now() { return fixedMoment() ? *fixedMoment() : QDateTime::currentDateTime(); }
int Clock::todayNumber() { return dayNumber(today()); }
int Clock::dayNumber(const QDate& date) { return static_cast<int>(kDayZero.daysTo(date)); }
QDate Clock::fromDayNumber(int day) { return kDayZero.addDays(day); }
void Clock::setFixed(const QDateTime& moment) { fixedMoment() = moment; }
void Clock::useSystem() { fixedMoment().reset(); }

}  // namespace dajdor
