#include "store/clock.h"

#include "store/day_number.h"

namespace dajdor {

QDateTime Clock::now() const { return fixed_ ? *fixed_ : QDateTime::currentDateTime(); }
int Clock::todayNumber() const { return dayNumber(today()); }
void Clock::setFixed(const QDateTime& moment) { fixed_ = moment; }
void Clock::useSystem() { fixed_.reset(); }

}  // namespace dajdor
