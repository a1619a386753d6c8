#include "table_record.h"

#include <cmath>
#include <stdexcept>

namespace gencommune {

TableRecord::TableRecord(const TableLayout& layout) : layout_(&layout) {
  values_.reserve(layout.fields.size());
  for (const auto& f : layout.fields)
    values_.push_back(f.type == 'N' ? engine::Value::integer(0)
                      : f.type == 'C' ? engine::Value::text("")
                                      : engine::Value::null());
}

std::size_t TableRecord::indexOf(std::string_view field) const {
  for (std::size_t i = 0; i < layout_->fields.size(); ++i)
    if (layout_->fields[i].name == field) return i;
  throw std::logic_error("no field " + std::string(field) + " in " + layout_->file);
}

TableRecord& TableRecord::set(std::string_view field, engine::Value value) {
  values_[indexOf(field)] = std::move(value);
  return *this;
}

TableRecord& TableRecord::setDecimal(std::string_view field, double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return set(field, engine::Value::decimal(std::llround(value * scale), decimals));
}

const engine::Value& TableRecord::get(std::string_view field) const { return values_[indexOf(field)]; }

}  // namespace gencommune
