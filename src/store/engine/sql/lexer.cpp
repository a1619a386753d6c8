// Splits a statement into tokens; rejects unterminated quotes and stray characters.
#include "store/engine/sql/lexer.h"

#include <algorithm>

namespace engine {

SqlError::SqlError(std::string reason, std::size_t position) : Error(std::move(reason)), position_(position) {}

namespace sqlparse {
namespace {

bool isIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool isIdentPart(unsigned char c) { return isIdentStart(c) || (c >= '0' && c <= '9') || c == '$'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

SqlError syntaxError(std::string_view statement, std::size_t position, const std::string& reason) {
  std::string message = "Eroare SQL la pozitia " + std::to_string(position + 1);
  if (position < statement.size()) {
    std::string_view near = statement.substr(position, 24);
    // The quoted excerpt stops at a control character and never splits a UTF-8 letter.
    const auto control = std::find_if(near.begin(), near.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    near = near.substr(0, static_cast<std::size_t>(control - near.begin()));
    while (!near.empty() && position + near.size() < statement.size() &&
           (static_cast<unsigned char>(statement[position + near.size()]) & 0xC0) == 0x80)
      near.remove_suffix(1);
    message += " (langa \"" + std::string(near) + "\")";
  } else {
    message += " (la sfarsitul instructiunii)";
  }
  return SqlError(message + ": " + reason, position);
}

std::vector<Token> tokenize(std::string_view s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
      ++i;
      continue;
    }
    Token t;
    t.position = i;
    if (c == '"' || c == '\'') {
      t.kind = c == '"' ? TokenKind::DoubleQuoted : TokenKind::SingleQuoted;
      std::size_t j = i + 1;
      for (;;) {
        if (j >= s.size()) throw syntaxError(s, i, "text neterminat (lipseste ghilimeaua de inchidere)");
        if (s[j] == c) {
          if (j + 1 < s.size() && s[j + 1] == c) {
            t.text += c;
            j += 2;
            continue;
          }
          break;
        }
        // A NUL would end the text early for other dBase readers of the table.
        if (s[j] == '\0') throw syntaxError(s, j, "caracter nul in text");
        t.text += s[j++];
      }
      i = j + 1;
    } else if (isDigit(c) || (c == '.' && i + 1 < s.size() && isDigit(s[i + 1]))) {
      t.kind = TokenKind::Number;
      std::size_t j = i;
      while (j < s.size() && isDigit(s[j])) ++j;
      if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && isDigit(s[j])) ++j;
      }
      if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && isDigit(s[k])) {
          while (k < s.size() && isDigit(s[k])) ++k;
          j = k;
        }
      }
      if (j < s.size() && isIdentStart(static_cast<unsigned char>(s[j])))
        throw syntaxError(s, i, "numar scris gresit");
      t.text = std::string(s.substr(i, j - i));
      i = j;
    } else if (isIdentStart(static_cast<unsigned char>(c))) {
      t.kind = TokenKind::Identifier;
      std::size_t j = i;
      while (j < s.size() && isIdentPart(static_cast<unsigned char>(s[j]))) ++j;
      t.text = std::string(s.substr(i, j - i));
      i = j;
    } else {
      t.kind = TokenKind::Symbol;
      static constexpr std::string_view kTwo[] = {"<>", "<=", ">=", "!=", "||"};
      std::string_view two = s.substr(i, 2);
      bool matched = false;
      for (const auto op : kTwo) {
        if (two == op) {
          t.text = std::string(op);
          i += 2;
          matched = true;
          break;
        }
      }
      if (!matched) {
        static constexpr std::string_view kOne = "(),.*+-/=<>;";
        if (kOne.find(c) == std::string_view::npos) throw syntaxError(s, i, "caracter neasteptat");
        t.text = std::string(1, c);
        ++i;
      }
    }
    tokens.push_back(std::move(t));
  }
  Token end;
  end.position = s.size();
  tokens.push_back(end);
  return tokens;
}

}  // namespace sqlparse
}  // namespace engine
