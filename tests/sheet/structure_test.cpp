// Row and column operations beyond the record row: column copies with their
// widths, deletions, sorting, shared formulas, the used range and bounds.
#include "sheet/template_fixture.h"
#include "sheet/workbook.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace sheet_test;

// A bordereau-like sheet: a pair of group columns F:G with totals, a total column H.
void writeGroupTemplate(const std::filesystem::path& path) {
  TemplateParts parts;
  parts.sheets = {{"Borderou0",
                   "<cols><col min=\"6\" max=\"7\" width=\"9\" customWidth=\"1\"/><col min=\"8\" max=\"8\" width=\"12\" customWidth=\"1\"/></cols>"
                   "<sheetData>" +
                       row(6, {textCell("F6", "grupa")}) +
                       row(8, {textCell("F8", "#A1BD"), textCell("G8", "#A1BS"), formulaCell("H8", "F8-G8"), textCell("I8", "#DBF")}) +
                       row(9, {formulaCell("F9", "SUM(F7:F8)"), formulaCell("G9", "SUM(G7:G8)"), formulaCell("H9", "SUM(F9:G9)")}) +
                       "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"F6:G6\"/></mergeCells>"}};
  writeTemplate(path, parts);
}

TEST(Structure, ColumnCopiesTakeHeadingsFormulasWidthsAndMerges) {
  ScratchDir dir;
  writeGroupTemplate(dir / "model.xlsx");
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  sheet.insertColumnCopies(6, 2, 8);
  EXPECT_EQ(sheet.text(8, 8), "#A1BD");
  EXPECT_EQ(sheet.text(8, 9), "#A1BS");
  EXPECT_EQ(sheet.formula(9, 8), "SUM(H7:H8)");
  EXPECT_EQ(sheet.formula(9, 9), "SUM(I7:I8)");
  EXPECT_EQ(sheet.formula(8, 10), "F8-G8");  // the total column moved right
  EXPECT_EQ(sheet.formula(9, 10), "SUM(F9:G9)");
  EXPECT_EQ(sheet.text(8, 11), "#DBF");
  book.save((dir / "out.xlsx").string());

  const pugi::xml_document xml = readPart(dir / "out.xlsx", "xl/worksheets/sheet1.xml");
  const pugi::xml_node ws = xml.child("worksheet");
  std::vector<std::string> cols;
  for (pugi::xml_node col : ws.child("cols").children("col"))
    cols.push_back(std::string(col.attribute("min").value()) + "-" + col.attribute("max").value() + ":" +
                   col.attribute("width").value());
  EXPECT_EQ(cols, (std::vector<std::string>{"6-9:9", "10-10:12"}));
  std::vector<std::string> merges;
  for (pugi::xml_node merge : ws.child("mergeCells").children("mergeCell")) merges.push_back(merge.attribute("ref").value());
  EXPECT_EQ(merges, (std::vector<std::string>{"F6:G6", "H6:I6"}));
}

TEST(Structure, DeletingColumnsAndRowsBreaksOnlyWhatPointedIntoThem) {
  ScratchDir dir;
  writeGroupTemplate(dir / "model.xlsx");
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  sheet.deleteColumns(7);
  EXPECT_EQ(sheet.formula(8, 7), "F8-#REF!");
  EXPECT_EQ(sheet.formula(9, 7), "SUM(F9:F9)");
  EXPECT_EQ(sheet.text(8, 8), "#DBF");
  sheet.deleteRows(1, 5);
  EXPECT_EQ(sheet.text(1, 6), "grupa");
  EXPECT_EQ(sheet.formula(4, 6), "SUM(F2:F3)");
  book.save((dir / "out.xlsx").string());
  const pugi::xml_document xml = readPart(dir / "out.xlsx", "xl/worksheets/sheet1.xml");
  // the merged heading lost its second column: one cell is no merged area, and an
  // empty list of them is no valid part of a sheet
  EXPECT_FALSE(xml.child("worksheet").child("mergeCells"));
}

TEST(Structure, RepeatedCopiesOfOneRowKeepEveryRowFormulaAndTheTotals) {
  // A list that inserts each new taxpayer at the top of its data area.
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Ramasite", "<sheetData>" + row(9, {formulaCell("O9", "SUM(F9:N9)"), formulaCell("P9", "O9/$O$10")}) +
                                   row(10, {formulaCell("F10", "SUM(F8:F9)"), formulaCell("O10", "SUM(O8:O9)")}) +
                                   "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"B9:C9\"/></mergeCells>"
                                   "<conditionalFormatting sqref=\"A9:O9\"><cfRule type=\"expression\" priority=\"1\">"
                                   "<formula>$O9&gt;0</formula></cfRule></conditionalFormatting>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  for (int n = 1; n <= 3; ++n) {
    sheet.insertRowCopies(9, 1, 9);
    sheet.setNumber(9, 6, n);
  }
  for (int r = 9; r <= 12; ++r) {
    const std::string row = std::to_string(r);
    EXPECT_EQ(sheet.formula(r, 15), "SUM(F" + row + ":N" + row + ")");
    EXPECT_EQ(sheet.formula(r, 16), "O" + row + "/$O$13");
  }
  EXPECT_EQ(sheet.number(9, 6), 3);
  EXPECT_EQ(sheet.number(11, 6), 1);
  EXPECT_EQ(sheet.formula(13, 6), "SUM(F8:F12)");
  EXPECT_EQ(sheet.formula(13, 15), "SUM(O8:O12)");
  sheet.deleteRows(12);
  EXPECT_EQ(sheet.formula(11, 16), "O11/$O$12");
  EXPECT_EQ(sheet.formula(12, 15), "SUM(O8:O11)");
  book.save((dir / "out.xlsx").string());

  // one merged area per row, and the row's rule grown over the rows, not repeated
  const pugi::xml_document xml = readPart(dir / "out.xlsx", "xl/worksheets/sheet1.xml");
  const pugi::xml_node ws = xml.child("worksheet");
  std::vector<std::string> merges;
  for (pugi::xml_node merge : ws.child("mergeCells").children("mergeCell")) merges.push_back(merge.attribute("ref").value());
  std::sort(merges.begin(), merges.end());
  EXPECT_EQ(merges, (std::vector<std::string>{"B10:C10", "B11:C11", "B9:C9"}));
  EXPECT_EQ(ws.child("mergeCells").attribute("count").as_int(), 3);
  const pugi::xml_node rule = ws.child("conditionalFormatting");
  EXPECT_STREQ(rule.attribute("sqref").value(), "A9:O11");
  EXPECT_STREQ(rule.child("cfRule").child_value("formula"), "$O9>0");
  EXPECT_FALSE(rule.next_sibling("conditionalFormatting"));
}

TEST(Structure, SortingKeepsPerRowFormulasOnTheirRows) {
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Ramasite", "<sheetData>" +
                                   row(9, {textCell("D9", "Zorilor 3"), numberCell("F9", 30), formulaCell("O9", "SUM(F9:N9)")}) +
                                   row(10, {textCell("D10", "Avram Iancu 1"), numberCell("F10", 10), formulaCell("O10", "SUM(F10:N10)")}) +
                                   row(11, {textCell("D11", "Morii 7"), numberCell("F11", 20), formulaCell("O11", "SUM(F11:N11)")}) +
                                   row(12, {formulaCell("O12", "SUM(O9:O11)")}) + "</sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  sheet.sortRows(9, 11, 4);
  EXPECT_EQ(sheet.text(9, 4), "Avram Iancu 1");
  EXPECT_EQ(sheet.number(9, 6), 10);
  EXPECT_EQ(sheet.text(11, 4), "Zorilor 3");
  for (int r = 9; r <= 11; ++r)
    EXPECT_EQ(sheet.formula(r, 15), "SUM(F" + std::to_string(r) + ":N" + std::to_string(r) + ")");
  EXPECT_EQ(sheet.formula(12, 15), "SUM(O9:O11)");
}

TEST(Structure, SharedFormulasBecomeOneFormulaPerCell) {
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Foaie1",
                   "<sheetData>"
                   "<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><f t=\"shared\" ref=\"B2:B4\" si=\"0\">A2*$A$1</f><v>0</v></c></row>"
                   "<row r=\"3\"><c r=\"A3\"><v>2</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>0</v></c></row>"
                   "<row r=\"4\"><c r=\"A4\"><v>3</v></c><c r=\"B4\"><f t=\"shared\" si=\"0\"/><v>0</v></c></row>"
                   "</sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  sheet.insertRows(3);
  EXPECT_EQ(sheet.formula(2, 2), "A2*$A$1");
  EXPECT_EQ(sheet.formula(4, 2), "A4*$A$1");
  EXPECT_EQ(sheet.formula(5, 2), "A5*$A$1");
}

TEST(Structure, UsedRangeCountsValuesNotFormatsAndBoundsAreChecked) {
  ScratchDir dir;
  TemplateParts parts;
  parts.cellFormats = "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\"/>";
  parts.sheets = {{"Foaie1", "<sheetData>" + row(2, {textCell("C2", "x"), "<c r=\"H2\" s=\"1\"/>"}) +
                                 "<row r=\"20\" ht=\"30\" customHeight=\"1\"><c r=\"A20\" s=\"1\"/></row></sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  EXPECT_EQ(sheet.lastRow(), 2);
  EXPECT_EQ(sheet.lastColumn(), 3);
  EXPECT_EQ(sheet.style(2, 8), 1);
  sheet.setFormula(5, 9, "C2");
  EXPECT_EQ(sheet.lastRow(), 5);
  EXPECT_EQ(sheet.lastColumn(), 9);
  sheet.clear(5, 9);
  EXPECT_EQ(sheet.lastRow(), 2);
  EXPECT_EQ(sheet.lastColumn(), 3);
  sheet.deleteColumns(1);
  EXPECT_EQ(sheet.lastColumn(), 2);
  sheet.insertRowCopies(2, 1, 1, 2);
  EXPECT_EQ(sheet.lastRow(), 4);
  sheet.deleteRows(1, 3);
  EXPECT_EQ(sheet.lastRow(), 1);
  sheet.insertColumns(1);
  EXPECT_EQ(sheet.lastColumn(), 3);
  EXPECT_EQ(sheet.text(1, 3), "x");
  EXPECT_THROW(sheet.setText(0, 1, "x"), sheet::Error);
  EXPECT_THROW(sheet.insertRows(0), sheet::Error);
  EXPECT_THROW(sheet.insertRowCopies(5, 3, 6), sheet::Error);  // the source would be split
  EXPECT_THROW(book.sheet(1), sheet::Error);
  sheet.setText(sheet::kMaxRow - 1, 1, "aproape de capat");
  EXPECT_THROW(sheet.insertRows(1, 2), sheet::Error);  // nothing is pushed off the grid
  EXPECT_EQ(sheet.text(sheet::kMaxRow - 1, 1), "aproape de capat");
  EXPECT_EQ(sheet.text(1, 3), "x");
  sheet.insertRows(1);
  EXPECT_EQ(sheet.text(sheet::kMaxRow, 1), "aproape de capat");
  EXPECT_EQ(sheet.text(100, 100), "");
}

}  // namespace
