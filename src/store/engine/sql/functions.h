// Operations of the dialect on single values: arithmetic, comparison with
// NULL logic, LIKE, text functions and CAST. Truth values are the numbers 1
// and 0; NULL is "unknown".
#pragma once

#include "store/engine/sql/ast.h"
#include "store/engine/value.h"

#include <optional>
#include <string>
#include <string_view>

namespace engine::sqlfn {

Value add(const Value& a, const Value& b);  // numbers, date + days, text + text (concatenation)
Value subtract(const Value& a, const Value& b);
Value multiply(const Value& a, const Value& b);
Value divide(const Value& a, const Value& b);  // throws Error on division by zero
Value negate(const Value& a);
Value concat(const Value& a, const Value& b);

// <0, 0, >0; nullopt when either side is NULL or the two cannot be compared
// (a text that is neither a number nor a date against a number).
std::optional<int> compare(const Value& a, const Value& b);
Value compareOp(sqlparse::Op op, const Value& a, const Value& b);

inline Value truth(bool b) { return Value::integer(b ? 1 : 0); }
inline bool isTrue(const Value& v) { return v.isNumber() && v.toDouble() != 0; }
inline bool isFalse(const Value& v) { return v.isNumber() && v.toDouble() == 0; }
Value logicalAnd(const Value& a, const Value& b);
Value logicalOr(const Value& a, const Value& b);
Value logicalNot(const Value& a);

// `%` any run of characters, `_` one character; case-sensitive, trailing
// blanks of the value and of the pattern are not significant.
bool likeMatch(std::string_view text, std::string_view pattern);

std::string upperText(std::string_view utf8);
std::string lowerText(std::string_view utf8);
Value upper(const Value& v);
Value lower(const Value& v);
Value trim(const Value& v);
Value substring(const Value& v, const Value& from, const Value* length);
Value cast(const Value& v, sqlparse::CastType type, int length);

// A hash consistent with Value::compare equality for values of one column.
std::size_t hashValue(const Value& v);

}  // namespace engine::sqlfn
