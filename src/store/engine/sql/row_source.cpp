// Current-row navigation shared by result sets and cursors, with the dataset
// conventions the windows expect: after first() bof() is true, after last()
// eof() is true, next() past the last row sets eof() and stays on that row.
#include "store/engine/database.h"

namespace engine {

void RowSource::resetPosition() {
  pos_ = 0;
  bof_ = true;
  eof_ = rowCount() == 0;
}

void RowSource::first() { resetPosition(); }

void RowSource::last() {
  const std::size_t n = rowCount();
  pos_ = n == 0 ? 0 : n - 1;
  bof_ = n == 0;
  eof_ = true;
}

void RowSource::next() {
  const std::size_t n = rowCount();
  if (pos_ + 1 < n) {
    ++pos_;
    bof_ = false;
    eof_ = false;
  } else {
    if (n > 0) pos_ = n - 1;
    eof_ = true;
    bof_ = n == 0;
  }
}

void RowSource::prior() {
  const std::size_t n = rowCount();
  if (n > 0 && pos_ > 0 && pos_ < n) {
    --pos_;
    bof_ = false;
    eof_ = false;
  } else {
    pos_ = 0;
    bof_ = true;
    eof_ = n == 0;
  }
}

void RowSource::moveTo(std::size_t row) {
  const std::size_t n = rowCount();
  if (row >= n) {
    last();
    return;
  }
  pos_ = row;
  bof_ = false;
  eof_ = false;
}

bool RowSource::locate(const std::vector<std::string>& fields, const std::vector<Value>& values) {
  if (fields.size() != values.size()) throw Error("Căutarea cere câte o valoare pentru fiecare câmp.");
  std::vector<std::size_t> columns;
  for (const auto& name : fields) {
    const int c = columnIndex(name);
    if (c < 0) throw Error("Câmpul " + name + " nu există.");
    columns.push_back(static_cast<std::size_t>(c));
  }
  const std::size_t n = rowCount();
  for (std::size_t row = 0; row < n; ++row) {
    bool all = true;
    for (std::size_t k = 0; k < columns.size() && all; ++k) {
      const Value v = value(row, columns[k]);
      all = !v.isNull() && !values[k].isNull() ? Value::compare(v, values[k]) == 0 : v.isNull() && values[k].isNull();
    }
    if (all) {
      moveTo(row);
      return true;
    }
  }
  return false;
}

Value RowSource::field(std::string_view name) const {
  const int c = columnIndex(name);
  if (c < 0) throw Error("Câmpul " + std::string(name) + " nu există.");
  if (pos_ >= rowCount()) return Value();
  return value(pos_, static_cast<std::size_t>(c));
}

}  // namespace engine
