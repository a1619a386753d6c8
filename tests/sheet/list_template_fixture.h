// A listing template in the shape the listings use: header markers, a heading row,
// the record row marked "#DBF" with a per-row formula, a totals row of growing sums,
// a formula below the totals, and a second sheet and defined names pointing into
// the first.
#pragma once

#include "sheet/record_rows.h"
#include "sheet/template_fixture.h"

#include <filesystem>
#include <vector>

namespace sheet_test {

// Sheet "Lista1": A1 "#PRIMARIA" (merged A1:D1), E2 "#LISTA", E3 "#DATA";
// row 6 headings (B6 a formatted shared text); record row 7: A "%NRCRT",
// B "#NUMEP" (bordered), C "#CNP", D7:E7 merged, I "#DINDATA" (date format),
// J "#VAL1", K "#SOLD1", L = J7-K7, M "#DBF"; row 8: I "TOTAL", J-L = SUM(x6:x7);
// B10 = J8*2, C10 = $J$8. Conditional format on J7:K7, validation on K7, a page
// break at row 9. Sheet "Rezumat": A1 = Lista1!J8, A2 = SUM(Lista1!J6:J7), A3 = A1*2.
// Names: the print area Lista1!$A$1:$M$10 and "Totaluri" = Lista1!$J$8:$L$8.
void writeListTemplate(const std::filesystem::path& path);

// Records held in memory, with the fields of the template above.
class MemoryRecords : public sheet::RecordSource {
 public:
  MemoryRecords(std::vector<std::string> names, std::vector<std::vector<sheet::FieldValue>> rows)
      : names_(std::move(names)), rows_(std::move(rows)) {}
  std::vector<std::string> fieldNames() const override { return names_; }
  bool next() override { return ++position_ < rows_.size(); }
  sheet::FieldValue field(std::size_t index) const override { return rows_[position_][index]; }

 private:
  std::vector<std::string> names_;
  std::vector<std::vector<sheet::FieldValue>> rows_;
  std::size_t position_ = static_cast<std::size_t>(-1);
};

// NUMEP, CNP, DINDATA, VAL1, SOLD1 for `count` records: VAL1 = 100 * n, SOLD1 = n.
MemoryRecords numberedRecords(int count);

}  // namespace sheet_test
