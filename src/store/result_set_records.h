// The rows of a query as the records a spreadsheet template's "#DBF" row is
// repeated for: field names as the query gives them, CHAR values as text
// (trailing blanks dropped), numbers as numbers, dates as dates, NULL as an
// empty cell. Reads the rows by index, so the result set's own position stays
// where it was.
#pragma once

#include "sheet/record_rows.h"
#include "store/engine/database.h"

namespace dajdor {

class ResultSetRecords : public sheet::RecordSource {
 public:
  explicit ResultSetRecords(const engine::RowSource& rows) : rows_(rows) {}

  std::vector<std::string> fieldNames() const override;
  bool next() override;
  sheet::FieldValue field(std::size_t index) const override;

 private:
  const engine::RowSource& rows_;
  std::size_t row_ = 0;
  bool started_ = false;
};

}  // namespace dajdor
