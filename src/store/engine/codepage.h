// Windows-1250 (the tables' code page) <-> UTF-8 (the engine's API).
#pragma once

#include <string>
#include <string_view>

namespace engine::codepage {

// Every byte has a meaning (the five unassigned ones map to the C1 controls).
std::string toUtf8(std::string_view cp1250);

// Appends the Windows-1250 form of `utf8` to `out`. The Romanian comma-below
// letters become their cedilla forms. Returns false, with the first character
// that has no Windows-1250 form (or the invalid byte) in `bad`, otherwise true.
bool fromUtf8(std::string_view utf8, std::string& out, std::string& bad);

}  // namespace engine::codepage
