// One row of a commune table, held in the table's field order and starting
// from the values a new row gets in the program: numbers 0, texts empty,
// dates blank.
#pragma once

#include "commune_layout.h"

#include "store/engine/value.h"

#include <concepts>
#include <string_view>
#include <vector>

namespace gencommune {

class TableRecord {
 public:
  explicit TableRecord(const TableLayout& layout);

  TableRecord& set(std::string_view field, engine::Value value);
  template <std::integral Number>
  TableRecord& set(std::string_view field, Number number) {
    return set(field, engine::Value::integer(static_cast<std::int64_t>(number)));
  }
  TableRecord& set(std::string_view field, std::string_view text) {
    return set(field, engine::Value::text(std::string(text)));
  }
  TableRecord& set(std::string_view field, const char* text) { return set(field, std::string_view(text)); }
  // A number with `decimals` places (areas, quantities).
  TableRecord& setDecimal(std::string_view field, double value, int decimals);
  TableRecord& setDate(std::string_view field, engine::DayNumber day) {
    return set(field, engine::Value::date(day));
  }

  const engine::Value& get(std::string_view field) const;
  const TableLayout& layout() const { return *layout_; }
  const std::vector<engine::Value>& values() const { return values_; }

 private:
  std::size_t indexOf(std::string_view field) const;

  const TableLayout* layout_;
  std::vector<engine::Value> values_;
};

}  // namespace gencommune
