// Tokens of a statement text.
//
// A double-quoted token is a table path or a text literal; the parser decides
// by its place in the statement. Inside either kind of quotes a doubled quote
// stands for one. Positions are byte offsets into the statement text.
#pragma once

#include "store/engine/database.h"

#include <string>
#include <string_view>
#include <vector>

namespace engine::sqlparse {

enum class TokenKind { Identifier, Number, DoubleQuoted, SingleQuoted, Symbol, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // identifiers as written, quoted texts without quotes, symbols as written
  std::size_t position = 0;
};

std::vector<Token> tokenize(std::string_view statement);

// The error for a statement rejected at `position`: the message names the
// position and the text found there.
SqlError syntaxError(std::string_view statement, std::size_t position, const std::string& reason);

}  // namespace engine::sqlparse
