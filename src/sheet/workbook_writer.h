// New workbooks laid out cell by cell (the listings without a template), written
// with libxlsxwriter. One sheet; rows and columns counted from 1.
//
// The writer keeps a current font, alignment and set of borders, which apply to
// every cell written after they are set, as the listings expect:
//   sheet::WorkbookWriter out(path);
//   out.addFont({"Arial", 9});  out.addFont({"Arial", 9, true});   // fonts 0 and 1
//   out.setMargins(0.6, 0.4, 0.3, 0.4);
//   out.setFont(1);  out.setAlignment(sheet::Alignment::Center);
//   out.setBorders({.top = true, .left = true, .right = true});
//   out.writeText(6, 1, "NR");
//   out.save();
#pragma once

#include "sheet/cell_address.h"
#include "sheet/sheet_error.h"

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace sheet {

struct FontSpec {
  std::string name = "Arial";
  double points = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// The point size of a screen font given by its character height in pixels.
double pointsFromPixels(int pixels, int dotsPerInch = 96);

enum class Alignment { Left, Right, Center };

struct Borders {
  bool top = false;
  bool bottom = false;
  bool left = false;
  bool right = false;
  static Borders none() { return {}; }
  static Borders all() { return {true, true, true, true}; }
};

class WorkbookWriter {
 public:
  static constexpr int kMaxFonts = 4;

  // Starts the workbook; nothing is written to `path` before save().
  explicit WorkbookWriter(std::string path, std::string_view sheetName = "Sheet1");
  // A workbook not saved is discarded.
  ~WorkbookWriter();
  WorkbookWriter(const WorkbookWriter&) = delete;
  WorkbookWriter& operator=(const WorkbookWriter&) = delete;

  // Registers a font; fonts are numbered 0 to 3 in the order registered.
  int addFont(const FontSpec& font);
  // Page margins in inches.
  void setMargins(double left, double right, double top, double bottom);
  // Page header and footer in the spreadsheet's header codes ("&RPagina &P din &N").
  void setHeader(std::string_view text);
  void setFooter(std::string_view text);
  // Width in characters.
  void setColumnWidth(int column, double width);

  void setFont(int index);
  void setAlignment(Alignment alignment);
  void setBorders(Borders borders);

  void writeText(int row, int column, std::string_view text);
  void writeNumber(int row, int column, double number);
  // A day number shown as "dd.mm.yyyy".
  void writeDate(int row, int column, std::chrono::year_month_day date);
  // An empty cell carrying the current borders (and font and alignment).
  void writeFramed(int row, int column);

  // Writes the file; sheet::Error naming it when that fails. The writer is done after.
  void save();

 private:
  lxw_format* currentFormat(bool date);
  void check(int code, std::string_view what) const;
  void checkCell(int row, int column) const;

  std::string path_;
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* worksheet_ = nullptr;
  std::vector<FontSpec> fonts_;
  int font_ = -1;
  Alignment alignment_ = Alignment::Left;
  Borders borders_;
  std::map<std::tuple<int, int, int, bool>, lxw_format*> formats_;
};

}  // namespace sheet
