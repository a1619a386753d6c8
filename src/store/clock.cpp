#include "store/clock.h"

#include "store/day_number.h"

#include <optional>

namespace dajdor {
namespace {
std::optional<QDateTime>& fixedMoment() {
  static std::optional<QDateTime> moment;
  return moment;
}
}  // namespace

QDateTime Clock::now() { return fixedMoment() ? *fixedMoment() : QDateTime::currentDateTime(); }
int Clock::todayNumber() { return dayNumber(today()); }
int Clock::dayNumber(const QDate& date) { return dajdor::dayNumber(date); }
QDate Clock::fromDayNumber(int day) { return dateOfDay(day); }
void Clock::setFixed(const QDateTime& moment) { fixedMoment() = moment; }
void Clock::useSystem() { fixedMoment().reset(); }

}  // namespace dajdor
