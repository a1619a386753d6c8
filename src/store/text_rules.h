// Small text rules shared by every subsystem: how typed names are cleaned, how
// record-filter conditions are joined, how amounts are rounded and written in
// words, and the checks of bank accounts and fiscal codes.
#pragma once

#include <QString>

#include <cstdint>

namespace dajdor {

// Trimmed, with every run of blanks inside reduced to one blank.
QString CleanSpaces(const QString& text);
// Parenthesised conditions written next to each other, "(A)(B)", joined by AND.
QString JoinConditions(const QString& text);
// The text before the first blank, or the whole text.
QString FirstWord(const QString& text);
// The trimmed text after the first blank, or "".
QString AfterFirstWord(const QString& text);
// Halves away from zero: 2.5 -> 3, -2.5 -> -3, 2.49 -> 2.
std::int64_t RoundToInt(double x);
// The lei of an amount written in Romanian words as one word ("1,234.56" ->
// "unamiidouasutetreizecisipatru"). Thousands separators are ",", the decimal
// separator "."; decimals are not written. "" when the text is not an amount.
QString AmountInWords(const QString& text);

// The four main tax groups, in the order GroupIndex numbers them.
inline const QString kGroupBuildings = QStringLiteral("Impozit pe cladiri");
inline const QString kGroupLandInside = QStringLiteral("Impozit pe teren intravilan");
inline const QString kGroupLandOutside = QStringLiteral("Impozit pe teren extravilan");
inline const QString kGroupVehicles = QStringLiteral("Impozit pe mijloace de transport");
// 1 to 4 for the main groups (ignoring case), 5 for every other tax.
int GroupIndex(const QString& group);

// Romanian IBAN: 24 characters, "RO" and two check digits, ISO 13616 check.
// Blanks and lower case in the input are accepted.
bool IsValidIban(const QString& text);
// Romanian fiscal code (CUI): 3 to 10 digits, the last a check digit.
bool IsValidCui(const QString& text);

}  // namespace dajdor
