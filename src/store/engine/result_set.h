// The rows of a SELECT, held in memory in their final order.
#pragma once

#include "store/engine/database.h"

#include <string>
#include <string_view>
#include <vector>

namespace engine {

class MaterializedResult final : public ResultSet {
 public:
  // `cells` holds the rows one after the other, names.size() values each.
  MaterializedResult(std::vector<std::string> names, std::vector<Value> cells);

  std::size_t columnCount() const override { return names_.size(); }
  const std::string& columnName(std::size_t column) const override { return names_[column]; }
  int columnIndex(std::string_view name) const override;  // first column of that name
  std::size_t rowCount() const override { return rows_; }
  Value value(std::size_t row, std::size_t column) const override { return cells_[row * names_.size() + column]; }

 private:
  std::vector<std::string> names_;
  std::vector<Value> cells_;
  std::size_t rows_ = 0;
};

}  // namespace engine
