// A workbook read from an XLSX file (a template), changed through its sheets and
// saved. Everything the engine does not model (drawings, printer settings, themes,
// other parts) is written back as it was read.
//
//   sheet::Workbook book(path);                 // sheet::Error when missing or damaged
//   sheet::Worksheet& first = book.sheet(0);
//   first.replaceMarker("#PRIMARIA", "Primaria Dajdor");
//   first.insertRowCopies(7, 1, 7, 3);          // three copies of row 7 above it
//   book.save(outputPath);
//
// Formulas are saved without their old results and the workbook asks the
// spreadsheet program to recompute everything when it opens the file.
#pragma once

#include "sheet/cell_styles.h"
#include "sheet/sheet_error.h"
#include "sheet/shared_strings.h"
#include "sheet/worksheet.h"
#include "sheet/zip_package.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sheet {

class Workbook {
 public:
  explicit Workbook(const std::string& path);
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  const std::string& path() const { return path_; }
  int sheetCount() const { return static_cast<int>(sheets_.size()); }
  // Sheets in the workbook's order, from 0; sheet::Error when out of range.
  Worksheet& sheet(int index);
  // The sheet of that name (compared without regard to case), or nullptr.
  Worksheet* findSheet(std::string_view name);
  bool uses1904Dates() const { return system1904_; }

  // Writes the workbook to `path` (the file it was read from, or another one).
  void save(const std::string& path);

 private:
  struct Relation {
    std::string id, type, target;
  };
  void readRelations();
  std::string relatedPart(std::string_view typeSuffix) const;
  void followChange(const Worksheet& changed, const GridChange& change);
  void prepareWorkbookPart();
  void addPart(const std::string& part, std::string_view relationType, std::string_view contentType);
  void dropPart(std::string_view typeSuffix, std::string_view part);

  std::string path_;
  ZipPackage package_;
  std::string workbookPart_;
  std::string relationsPart_;
  pugi::xml_document workbook_;
  std::vector<Relation> relations_;
  SharedStrings strings_;
  std::string stringsPart_;
  CellStyles styles_;
  std::string stylesPart_;
  bool system1904_ = false;
  std::vector<std::unique_ptr<Worksheet>> sheets_;
  std::vector<std::string> sheetParts_;
};

}  // namespace sheet
