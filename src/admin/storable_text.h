// Checks a typed text against what a dBase text field of the tables can hold.
#pragma once

#include <QString>

namespace dajdor::admin {

// The first character that Windows-1250 cannot hold, or a null QChar.
QChar firstUnstorableCharacter(const QString& text);
// A message for the user when the text cannot be stored in a field of `width`
// characters, "" when it can.
QString storableTextProblem(const QString& text, int width);

}  // namespace dajdor::admin
