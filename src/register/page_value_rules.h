// How one input's text meets its column: whether it fits, how it is written into
// a statement, and how a stored value reads back as text.
#pragma once

#include "register/page_catalogue.h"
#include "store/engine/value.h"

#include <QString>

namespace dajdor::reg {

// A quantity as typed: blanks around it dropped, ',' read as the decimal point,
// empty read as "0".
QString normalisedNumber(const QString& text);
// Why the text cannot be stored in the input's column (too many digits, not a
// number, not an item of its list, not a date), "" when it can.
QString valueProblem(const PageInput& input, const QString& text);
// The SQL literal of a text that passed valueProblem(), through the quoting helper.
QString sqlValue(const PageInput& input, const QString& text);
// A stored value as the input's text; "" when the stored value does not read as
// one (NULL date, unknown list text): the caller puts the default instead.
QString storedText(const PageInput& input, const engine::Value& value);

}  // namespace dajdor::reg
