// "Today" and "now" of one run. The application context owns one and hands it
// down, so that a test or an unattended run can fix the moment an operation uses;
// nothing else reads the system clock.
#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

namespace dajdor {

class Clock {
 public:
  QDateTime now() const;
  QDate today() const { return now().date(); }
  // Today as the tables store days.
  int todayNumber() const;

  void setFixed(const QDateTime& moment);
  void useSystem();

 private:
  std::optional<QDateTime> fixed_;
};

}  // namespace dajdor
