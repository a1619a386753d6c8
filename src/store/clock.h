// The program's one source of "today" and "now". Tests set it; nothing else
// reads the system clock directly.
#pragma once

#include <QDate>
#include <QDateTime>

namespace dajdor {

class Clock {
 public:
  static QDateTime now();
  static QDate today() { return now().date(); }
  // Whole day number (days since 30.12.1899), as the tables store days.
  static int todayNumber();
  static int dayNumber(const QDate& date);
  static QDate fromDayNumber(int day);

  static void setFixed(const QDateTime& moment);  // tests
  static void useSystem();
};

}  // namespace dajdor
