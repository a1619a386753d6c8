// Small XLSX templates written part by part, so a test states exactly the XML it
// starts from, and helpers to look at what the engine wrote.
#pragma once

#include "sheet/zip_package.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sheet_test {

struct TemplateParts {
  // Sheet name and the worksheet's content (sheetData and what follows it).
  std::vector<std::pair<std::string, std::string>> sheets;
  std::string sharedStrings;  // <si> items; no part when empty
  std::string definedNames;   // <definedName> items
  std::string cellFormats;    // <xf> items of cellXfs; one default when empty
  std::string numberFormats;  // <numFmt> items
  bool calcChain = false;     // add a calculation chain part
};

void writeTemplate(const std::filesystem::path& path, const TemplateParts& parts);

// Cell XML: inline text, number, formula (without "="), shared text by index.
std::string textCell(const std::string& ref, const std::string& text, int style = 0);
std::string numberCell(const std::string& ref, double number, int style = 0);
std::string formulaCell(const std::string& ref, const std::string& formula, int style = 0);
std::string row(int number, const std::vector<std::string>& cells);

// A part of a saved workbook, parsed.
pugi::xml_document readPart(const std::filesystem::path& file, const std::string& part);

// A fresh empty folder under the system's temporary folder, removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace sheet_test
