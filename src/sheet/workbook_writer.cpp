#include "sheet/workbook_writer.h"

#include "sheet/cell_address.h"
#include "sheet/cell_text.h"
#include "sheet/day_serial.h"
#include "sheet/sheet_error.h"

#include <xlsxwriter.h>

#include <cstdio>

namespace sheet {
namespace {

int borderBits(const Borders& borders) {
  return (borders.top ? 1 : 0) | (borders.bottom ? 2 : 0) | (borders.left ? 4 : 0) | (borders.right ? 8 : 0);
}

}  // namespace

double pointsFromPixels(int pixels, int dotsPerInch) { return pixels * 72.0 / dotsPerInch; }

WorkbookWriter::WorkbookWriter(std::string path, std::string_view sheetName) : path_(std::move(path)) {
  workbook_ = workbook_new(path_.c_str());
  if (workbook_) worksheet_ = workbook_add_worksheet(workbook_, std::string(sheetName).c_str());
  if (!worksheet_) throw Error("Nu pot incepe registrul de calcul " + path_ + ".");
}

WorkbookWriter::~WorkbookWriter() {
  if (!workbook_) return;
  // libxlsxwriter can only free a workbook by writing it; the unsaved file is removed.
  workbook_close(workbook_);
  std::remove(path_.c_str());
}

void WorkbookWriter::check(int code, std::string_view what) const {
  if (code != LXW_NO_ERROR)
    throw Error("Registrul de calcul " + path_ + ": " + std::string(what) + " (" +
                lxw_strerror(static_cast<lxw_error>(code)) + ").");
}

void WorkbookWriter::checkCell(int row, int column) const {
  if (!workbook_) throw Error("Registrul de calcul " + path_ + " a fost deja salvat.");
  if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
    throw Error("Registrul de calcul " + path_ + ": celula (" + std::to_string(row) + ", " + std::to_string(column) +
                ") este in afara foii.");
}

int WorkbookWriter::addFont(const FontSpec& font) {
  if (static_cast<int>(fonts_.size()) >= kMaxFonts)
    throw Error("Registrul de calcul " + path_ + ": cel mult " + std::to_string(kMaxFonts) + " fonturi.");
  fonts_.push_back(font);
  return static_cast<int>(fonts_.size()) - 1;
}

void WorkbookWriter::setMargins(double left, double right, double top, double bottom) {
  checkCell(1, 1);
  worksheet_set_margins(worksheet_, left, right, top, bottom);
}

void WorkbookWriter::setHeader(std::string_view text) {
  checkCell(1, 1);
  check(worksheet_set_header(worksheet_, withValidUtf8(text).c_str()), "antetul paginii");
}

void WorkbookWriter::setFooter(std::string_view text) {
  checkCell(1, 1);
  check(worksheet_set_footer(worksheet_, withValidUtf8(text).c_str()), "subsolul paginii");
}

void WorkbookWriter::setColumnWidth(int column, double width) {
  checkCell(1, column);
  const auto index = static_cast<lxw_col_t>(column - 1);
  check(worksheet_set_column(worksheet_, index, index, width, nullptr), "latimea coloanei");
}

void WorkbookWriter::setFont(int index) {
  if (index < 0 || index >= static_cast<int>(fonts_.size()))
    throw Error("Registrul de calcul " + path_ + ": fontul " + std::to_string(index) + " nu a fost definit.");
  font_ = index;
}

void WorkbookWriter::setAlignment(Alignment alignment) { alignment_ = alignment; }
void WorkbookWriter::setBorders(Borders borders) { borders_ = borders; }

lxw_format* WorkbookWriter::currentFormat(bool date) {
  const auto key = std::make_tuple(font_, static_cast<int>(alignment_), borderBits(borders_), date);
  if (const auto found = formats_.find(key); found != formats_.end()) return found->second;
  lxw_format* format = workbook_add_format(workbook_);
  if (font_ >= 0) {
    const FontSpec& font = fonts_[static_cast<std::size_t>(font_)];
    format_set_font_name(format, font.name.c_str());
    format_set_font_size(format, font.points);
    if (font.bold) format_set_bold(format);
    if (font.italic) format_set_italic(format);
    if (font.underline) format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (font.strikeOut) format_set_font_strikeout(format);
  }
  format_set_align(format, alignment_ == Alignment::Left    ? LXW_ALIGN_LEFT
                           : alignment_ == Alignment::Right ? LXW_ALIGN_RIGHT
                                                            : LXW_ALIGN_CENTER);
  if (borders_.top) format_set_top(format, LXW_BORDER_THIN);
  if (borders_.bottom) format_set_bottom(format, LXW_BORDER_THIN);
  if (borders_.left) format_set_left(format, LXW_BORDER_THIN);
  if (borders_.right) format_set_right(format, LXW_BORDER_THIN);
  if (date) format_set_num_format(format, "dd.mm.yyyy");
  formats_.emplace(key, format);
  return format;
}

void WorkbookWriter::writeText(int row, int column, std::string_view text) {
  checkCell(row, column);
  check(worksheet_write_string(worksheet_, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                               withValidUtf8(text).c_str(), currentFormat(false)),
        "textul din " + cellName(row, column));
}

void WorkbookWriter::writeNumber(int row, int column, double number) {
  checkCell(row, column);
  check(worksheet_write_number(worksheet_, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1), number,
                               currentFormat(false)),
        "numarul din " + cellName(row, column));
}

void WorkbookWriter::writeDate(int row, int column, std::chrono::year_month_day date) {
  checkCell(row, column);
  check(worksheet_write_number(worksheet_, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                               daySerial(date), currentFormat(true)),
        "data din " + cellName(row, column));
}

void WorkbookWriter::writeFramed(int row, int column) {
  checkCell(row, column);
  check(worksheet_write_blank(worksheet_, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                              currentFormat(false)),
        "celula " + cellName(row, column));
}

void WorkbookWriter::save() {
  if (!workbook_) throw Error("Registrul de calcul " + path_ + " a fost deja salvat.");
  const lxw_error result = workbook_close(workbook_);
  workbook_ = nullptr;
  worksheet_ = nullptr;
  if (result != LXW_NO_ERROR)
    throw Error("Nu pot salva registrul de calcul " + path_ + " (" + lxw_strerror(result) + ").");
}

}  // namespace sheet
