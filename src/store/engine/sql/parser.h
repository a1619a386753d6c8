// Recursive-descent parser of the local SQL dialect (grammar in SQL.md).
// Throws SqlError naming the position and the reason of the first fault.
#pragma once

#include "store/engine/sql/ast.h"

#include <string_view>

namespace engine::sqlparse {

Statement parseStatement(std::string_view text);

// Case-insensitive ASCII comparison, used for keywords, fields and aliases alike.
bool equalsNoCase(std::string_view a, std::string_view b);
std::string upper(std::string_view s);

}  // namespace engine::sqlparse
