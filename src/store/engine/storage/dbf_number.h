// Decimal text of dBase numeric fields: exact, without going through binary floats.
#pragma once

#include "store/engine/value.h"

#include <string>
#include <string_view>

namespace engine::dbf {

// The value as fixed-point text with exactly `decimals` decimals, rounded half away
// from zero ("-12.50"). false for a value that is not a finite number.
bool fixedText(const Value& number, int decimals, std::string& out);

// Canonical form of a decimal text ("  012.50" -> "12.5", "-0.0" -> "0"): equal
// numbers give equal texts. false when the text (trimmed) is not a plain decimal.
bool canonicalNumber(std::string_view text, std::string& out);

// A stored numeric field's text as a Value (exact decimal when it fits); NULL when
// blank or not a number.
Value parseStoredNumber(std::string_view text);

}  // namespace engine::dbf
