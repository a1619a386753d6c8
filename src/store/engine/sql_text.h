// The one place where values become SQL text. Every statement the program builds
// puts its values through these helpers, so no value reaches the engine unescaped.
#pragma once

#include "store/engine/value.h"

#include <string>
#include <string_view>

namespace engine::sql {

std::string quote(std::string_view text);        // "text" with embedded " doubled
std::string quoteDate(DayNumber day);            // "dd.MM.yyyy"
std::string number(std::int64_t v);              // 12, -3
std::string number(double v, int decimals);      // fixed decimals with '.'
std::string literal(const Value& v);             // NULL, number, quoted text or date
std::string table(std::string_view path);        // "path" for FROM/INTO/UPDATE

}  // namespace engine::sql
