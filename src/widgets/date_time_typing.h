// Digits typed into a date or time input. Qt's own edit takes them only into a
// selected or unfinished section: after a click into "00:00" every digit was
// refused and only the arrow keys worked. With this, a digit that a full section
// would refuse replaces that section, as it does after Tab.
#pragma once

class QDateTimeEdit;

namespace dajdor {

void letDigitsOverwriteSections(QDateTimeEdit* edit);

}  // namespace dajdor
