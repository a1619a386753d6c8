// Range lists as the sheet's XML keeps them outside the cells: merged areas,
// conditional-format and validation ranges, the selection ("A1:B2 D5").
#pragma once

#include "sheet/reference.h"

#include <string>
#include <string_view>
#include <vector>

namespace sheet {

// Splits a space-separated list; parts that are not references are skipped.
std::vector<Reference> parseAreaList(std::string_view list);
std::string areaListText(const std::vector<Reference>& areas);

// Follows a structural change of the list's own sheet; deleted areas are dropped,
// so the result is empty when nothing is left.
std::string followAreaList(std::string_view list, const GridChange& change);

}  // namespace sheet
