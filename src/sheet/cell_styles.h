// The workbook's cell formats (styles.xml), as far as the engine needs them: a date
// written into a cell is shown through the cell's own date format, and a cell that
// has none gets a copy of its format with "dd.mm.yyyy" added, so a date never
// shows as a bare day number. Everything else in the part is kept as found.
#pragma once

#include <pugixml.hpp>

#include <map>
#include <string>
#include <string_view>

namespace sheet {

class CellStyles {
 public:
  void load(std::string_view xml, const std::string& part);
  bool loaded() const { return static_cast<bool>(doc_.document_element()); }

  bool isDateFormat(int style) const;
  // `style` itself when it shows dates, otherwise its dated copy.
  int dateStyle(int style);

  bool changed() const { return changed_; }
  std::string xml() const;

 private:
  pugi::xml_node cellXfs() const;
  int dateFormatId();

  pugi::xml_document doc_;
  std::map<int, int> datedCopies_;
  int dateFormatId_ = -1;
  bool changed_ = false;
};

}  // namespace sheet
