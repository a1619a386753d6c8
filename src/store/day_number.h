// Days as the tables store them: whole numbers counted from 30.12.1899.
#pragma once

#include <QDate>

namespace dajdor {

int dayNumber(const QDate& date);
QDate dateOfDay(int day);

}  // namespace dajdor
