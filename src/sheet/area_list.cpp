#include "sheet/area_list.h"

namespace sheet {

std::vector<Reference> parseAreaList(std::string_view list) {
  std::vector<Reference> areas;
  std::size_t pos = 0;
  while (pos < list.size()) {
    std::size_t end = list.find(' ', pos);
    if (end == std::string_view::npos) end = list.size();
    Reference ref;
    if (end > pos && parseReference(list.substr(pos, end - pos), ref)) areas.push_back(ref);
    pos = end + 1;
  }
  return areas;
}

std::string areaListText(const std::vector<Reference>& areas) {
  std::string text;
  for (const Reference& area : areas) {
    if (area.broken) continue;
    if (!text.empty()) text += ' ';
    text += area.text();
  }
  return text;
}

std::string followAreaList(std::string_view list, const GridChange& change) {
  std::vector<Reference> areas = parseAreaList(list);
  for (Reference& area : areas) area.follow(change);
  return areaListText(areas);
}

}  // namespace sheet
