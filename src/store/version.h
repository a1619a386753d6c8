// This installation's fiscal year and titles. Each year's version is a new
// installation that takes over the previous year's data once.
#pragma once

#include <QString>

namespace dajdor {

constexpr int kWorkYear = 2014;
inline const QString kApplicationTitle = QStringLiteral("Dajdor 2014");
inline const QString kVersionTitle = QStringLiteral("Dajdor 2014 ver.1.38");

}  // namespace dajdor
