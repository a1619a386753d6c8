// Record filters of table cursors: `NR<>1`, `(ROL='12')`, `(NUMEP='ION*')` (a text
// ending in * matches by prefix), `=, <>, <, >, <=, >=` against numbers and quoted
// texts, parenthesised conditions joined by AND (OR and NOT are read too).
// A blank (NULL) field satisfies only `<>`.
#pragma once

#include "store/engine/storage/table.h"

#include <memory>
#include <string>
#include <string_view>

namespace engine {

class RecordFilter {
 public:
  // Throws Error (naming the filter) for bad syntax or an unknown field.
  RecordFilter(std::string_view text, const Table& table);
  ~RecordFilter();
  RecordFilter(RecordFilter&&) noexcept;
  RecordFilter& operator=(RecordFilter&&) noexcept;

  bool matches(const Table& table, std::uint32_t rec) const;
  const std::string& text() const { return text_; }

  struct Node;

 private:
  std::string text_;
  std::unique_ptr<Node> root_;
};

}  // namespace engine
