#include "sheet/libreoffice_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sheet_test {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

CsvRows parseCsv(const std::string& text) {
  CsvRows rows(1);
  std::string cell;
  bool inQuotes = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inQuotes) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        inQuotes = false;
      } else {
        cell += c;
      }
    } else if (c == '"') {
      inQuotes = true;
    } else if (c == ',') {
      rows.back().push_back(std::move(cell));
      cell.clear();
    } else if (c == '\n') {
      rows.back().push_back(std::move(cell));
      cell.clear();
      rows.emplace_back();
    } else if (c != '\r') {
      cell += c;
    }
  }
  if (!cell.empty() || !rows.back().empty()) rows.back().push_back(cell);
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

}  // namespace

bool libreOfficeAvailable() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

namespace {

void convert(const std::filesystem::path& workbook, const std::string& filter, const std::filesystem::path& out,
             const std::filesystem::path& scratch) {
  const auto home = scratch / "home";
  std::filesystem::create_directories(home);
  std::filesystem::create_directories(out);
  const std::string command = "HOME=" + quoted(home.string()) + " soffice --headless --norestore --convert-to " +
                              quoted(filter) + " --outdir " + quoted(out.string()) + " " + quoted(workbook.string()) +
                              " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace

std::filesystem::path resavedByLibreOffice(const std::filesystem::path& workbook, const std::filesystem::path& scratch) {
  const auto out = scratch / ("resaved-" + workbook.stem().string());
  convert(workbook, "xlsx:Calc MS Excel 2007 XML", out, scratch);
  return out / (workbook.stem().string() + ".xlsx");
}

CsvRows sheetAsCsv(const std::filesystem::path& workbook, const std::string& sheetName,
                   const std::filesystem::path& scratch) {
  const auto out = scratch / ("csv-" + workbook.stem().string());
  // Filter options: comma, double quotes, UTF-8, cells as shown, one file per sheet.
  if (!std::filesystem::exists(out))
    convert(workbook, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1", out, scratch);
  const auto file = out / (workbook.stem().string() + "-" + sheetName + ".csv");
  std::ifstream in(file);
  EXPECT_TRUE(in.good()) << "LibreOffice wrote no " << file;
  std::stringstream text;
  text << in.rdbuf();
  return parseCsv(text.str());
}

std::string csvCell(const CsvRows& rows, int row, int column) {
  if (row < 1 || row > static_cast<int>(rows.size())) return {};
  const auto& line = rows[static_cast<std::size_t>(row - 1)];
  if (column < 1 || column > static_cast<int>(line.size())) return {};
  return line[static_cast<std::size_t>(column - 1)];
}

double csvNumber(const CsvRows& rows, int row, int column) {
  const std::string text = csvCell(rows, row, column);
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  EXPECT_TRUE(!text.empty() && end && *end == '\0') << "(" << row << ", " << column << ") holds \"" << text << "\"";
  return number;
}

}  // namespace sheet_test
