#include "store/result_set_records.h"

#include <chrono>

namespace dajdor {

std::vector<std::string> ResultSetRecords::fieldNames() const {
  std::vector<std::string> names;
  names.reserve(rows_.columnCount());
  for (std::size_t c = 0; c < rows_.columnCount(); ++c) names.push_back(rows_.columnName(c));
  return names;
}

bool ResultSetRecords::next() {
  if (started_) {
    if (row_ < rows_.rowCount()) ++row_;
  } else {
    started_ = true;
  }
  return row_ < rows_.rowCount();
}

sheet::FieldValue ResultSetRecords::field(std::size_t index) const {
  const engine::Value value = rows_.value(row_, index);
  switch (value.type()) {
    case engine::Value::Type::Text:
      return sheet::FieldValue::ofText(value.toString());
    case engine::Value::Type::Number:
      return sheet::FieldValue::ofNumber(value.toDouble());
    case engine::Value::Type::Date: {
      int year = 0, month = 0, day = 0;
      engine::dateFromDay(value.toDay(), year, month, day);
      return sheet::FieldValue::ofDate(std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                       std::chrono::day{static_cast<unsigned>(day)});
    }
    case engine::Value::Type::Null:
      break;
  }
  return {};
}

}  // namespace dajdor
