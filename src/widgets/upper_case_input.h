// Inputs of names, villages and roles keep upper case while the user types,
// since the tables hold them so and searches compare them so.
#pragma once

class QLineEdit;

namespace dajdor {

void keepUpperCase(QLineEdit* input);

}  // namespace dajdor
