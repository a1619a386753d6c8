#include "store/day_number.h"

namespace dajdor {
namespace {
const QDate kDayZero(1899, 12, 30);
}  // namespace

int dayNumber(const QDate& date) { return static_cast<int>(kDayZero.daysTo(date)); }
QDate dateOfDay(int day) { return kDayZero.addDays(day); }

}  // namespace dajdor
