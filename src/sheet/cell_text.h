// Texts on their way into and out of the package. XML cannot carry most control
// characters, so OOXML writes them as _xHHHH_ (and a literal "_x" that looks like
// such an escape gets its underscore escaped); invalid UTF-8 would make the whole
// part unreadable, so it is replaced before it reaches the file.
#pragma once

#include <string>
#include <string_view>

namespace sheet {

// The text with every invalid UTF-8 byte replaced by '?'.
std::string withValidUtf8(std::string_view text);

// A cell text as stored in a <t> element.
std::string encodeCellText(std::string_view text);
std::string decodeCellText(std::string_view stored);

// How markers are compared: the text trimmed and its letters upper-cased.
std::string markerKey(std::string_view text);

// Escapes &, <, > and quotes for element text and attribute values.
void appendXmlEscaped(std::string& out, std::string_view text);

}  // namespace sheet
