// The record row's edge cases: no records, two "#DBF" rows, no "#DBF" row, a date
// into a cell without a date format.
#include "sheet/list_template_fixture.h"
#include "sheet/record_rows.h"
#include "sheet/workbook.h"

#include <gtest/gtest.h>

namespace {

using namespace sheet_test;
using sheet::FieldValue;

TEST(RecordRows, NoRecordsDeletesTheTemplateRowAndTheTotalsShrink) {
  ScratchDir dir;
  writeListTemplate(dir / "model.xlsx");
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& lista = book.sheet(0);
  MemoryRecords none = numberedRecords(0);
  EXPECT_EQ(sheet::fillRecordRows(lista, none), 0);
  EXPECT_EQ(lista.text(7, 9), "TOTAL");
  EXPECT_EQ(lista.formula(7, 10), "SUM(J6:J6)");
  EXPECT_EQ(lista.formula(9, 2), "J7*2");
  EXPECT_EQ(book.sheet(1).formula(1, 1), "Lista1!J7");
  book.save((dir / "out.xlsx").string());
  // the record row's validation and rule went with it, and no empty list is left
  const pugi::xml_document xml = readPart(dir / "out.xlsx", "xl/worksheets/sheet1.xml");
  EXPECT_FALSE(xml.child("worksheet").child("dataValidations"));
  EXPECT_FALSE(xml.child("worksheet").child("conditionalFormatting"));
  EXPECT_STREQ(xml.child("worksheet").child("mergeCells").child("mergeCell").attribute("ref").value(), "A1:D1");
}

TEST(RecordRows, OnlyTheLastMarkedRowIsRepeated) {
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Foaie1", "<sheetData>" + row(4, {textCell("A4", "#NUMEP"), textCell("B4", "sus"), textCell("C4", "#DBF")}) +
                                 row(6, {textCell("A6", "#NUMEP"), textCell("C6", "#DBF")}) + "</sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  EXPECT_EQ(sheet::findRecordRow(sheet), 6);
  MemoryRecords records({"NUMEP"}, {{FieldValue::ofText("Ana")}, {FieldValue::ofText("Dan")}});
  EXPECT_EQ(sheet::fillRecordRows(sheet, records), 2);
  EXPECT_EQ(sheet.text(4, 1), "#NUMEP");
  EXPECT_EQ(sheet.text(4, 2), "sus");
  EXPECT_EQ(sheet.value(4, 3).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(sheet.text(6, 1), "Ana");
  EXPECT_EQ(sheet.text(7, 1), "Dan");
  EXPECT_EQ(sheet.lastRow(), 7);
}

TEST(RecordRows, WithoutARecordRowNothingChanges) {
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Foaie1", "<sheetData>" + row(2, {textCell("A2", "#NUMEP")}) + "</sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  MemoryRecords records({"NUMEP"}, {{FieldValue::ofText("Ana")}});
  EXPECT_EQ(sheet::fillRecordRows(book.sheet(0), records), 0);
  EXPECT_EQ(book.sheet(0).text(2, 1), "#NUMEP");
  EXPECT_EQ(book.sheet(0).lastRow(), 2);
}

TEST(RecordRows, ADateInACellWithoutDateFormatGetsOne) {
  ScratchDir dir;
  TemplateParts parts;
  parts.cellFormats = "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
                      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"1\" applyBorder=\"1\"/>"
                      "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>";
  parts.numberFormats = "<numFmt numFmtId=\"165\" formatCode=\"[$-418]d\\ mmmm\\ yyyy\"/>";
  parts.sheets = {{"Foaie1", "<sheetData>" +
                                 row(3, {textCell("A3", "#ZIUA", 1), textCell("B3", "#ZIUA", 2), textCell("C3", "#DBF")}) +
                                 "</sheetData>"}};
  writeTemplate(dir / "model.xlsx", parts);
  sheet::Workbook book((dir / "model.xlsx").string());
  MemoryRecords records({"ZIUA"}, {{FieldValue::ofDate(std::chrono::year{2014} / 1 / 1)}});
  sheet::fillRecordRows(book.sheet(0), records);
  book.save((dir / "out.xlsx").string());

  sheet::Workbook saved((dir / "out.xlsx").string());
  const int plain = saved.sheet(0).style(3, 1);
  EXPECT_EQ(saved.sheet(0).style(3, 2), 2);  // its own date format is kept
  const pugi::xml_document styles = readPart(dir / "out.xlsx", "xl/styles.xml");
  const pugi::xml_node root = styles.child("styleSheet");
  std::vector<pugi::xml_node> xfs;
  for (pugi::xml_node xf : root.child("cellXfs").children("xf")) xfs.push_back(xf);
  ASSERT_EQ(xfs.size(), 4u);
  ASSERT_EQ(plain, 3);
  // the dated copy keeps the cell's font and border
  EXPECT_STREQ(xfs[3].attribute("fontId").value(), "1");
  EXPECT_STREQ(xfs[3].attribute("borderId").value(), "1");
  const std::string id = xfs[3].attribute("numFmtId").value();
  EXPECT_STREQ(root.child("numFmts").find_child_by_attribute("numFmtId", id.c_str()).attribute("formatCode").value(),
               "dd.mm.yyyy");
  EXPECT_EQ(root.child("numFmts").attribute("count").as_int(), 2);
  EXPECT_EQ(saved.sheet(0).date(3, 1), std::chrono::year{2014} / 1 / 1);
}

}  // namespace
