// The rules of the personal numeric code (CNP) that the code input applies:
// validity, the birth date and the sex it encodes.
#pragma once

#include <QDate>
#include <QString>

namespace dajdor::reg {

inline constexpr int kCodeLength = 13;

// A valid CNP: 13 digits, a first digit of 1, 2, 5, 6, 7, 8 or 9, a real
// birth date in the century that digit gives, and the control digit of the key
// "279146358279". An empty text is valid exactly when `acceptEmpty`.
bool Corect(const QString& text, bool acceptEmpty = false);
// The birth date encoded in digits 2 to 7 (2000s for a first digit of 5 or 6,
// 1900s otherwise); a null date when the text is not longer than 6 characters
// or does not give a real date.
QDate NascutLa(const QString& text);
// "masculin" for a first digit of 1, 5, 7 or 9, "feminin" for any other first
// character, "" for an empty text.
QString Sexul(const QString& text);

}  // namespace dajdor::reg
