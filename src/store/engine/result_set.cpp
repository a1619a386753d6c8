#include "store/engine/result_set.h"

#include "store/engine/sql/parser.h"

namespace engine {

MaterializedResult::MaterializedResult(std::vector<std::string> names, std::vector<Value> cells)
    : names_(std::move(names)), cells_(std::move(cells)), rows_(names_.empty() ? 0 : cells_.size() / names_.size()) {
  resetPosition();
}

int MaterializedResult::columnIndex(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (sqlparse::equalsNoCase(names_[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace engine
