// A template filled with records: markers replaced, one row per record, every
// formula of the workbook adjusted, the formats and the rest of the sheet kept.
#include "sheet/day_serial.h"
#include "sheet/list_template_fixture.h"
#include "sheet/record_rows.h"
#include "sheet/workbook.h"

#include <gtest/gtest.h>

namespace {

using namespace sheet_test;
using sheet::FieldValue;
using namespace std::chrono;

MemoryRecords threeRecords() {
  return MemoryRecords({"numep", "CNP", "DinData", "VAL1", "SOLD1"},
                       {{FieldValue::ofText("Popescu & <Fiul> \"SRL\""), FieldValue::ofText("0"),
                         FieldValue::ofDate(year{2014} / 3 / 5), FieldValue::ofNumber(500), FieldValue::ofNumber(120)},
                        {FieldValue::ofText("Ştefănescu Ţară"), FieldValue::ofText(""), FieldValue{},
                         FieldValue::ofNumber(0), FieldValue::ofNumber(-30)},
                        {FieldValue::ofText("Ion"), FieldValue::ofText("1"), FieldValue::ofDate(year{2014} / 12 / 31),
                         FieldValue::ofNumber(100.5), FieldValue::ofNumber(0)}});
}

class TemplateFill : public ::testing::Test {
 protected:
  void SetUp() override {
    writeListTemplate(dir / "model.xlsx");
    sheet::Workbook book((dir / "model.xlsx").string());
    sheet::Worksheet& lista = book.sheet(0);
    EXPECT_EQ(lista.replaceMarker("#primaria", "Primăria Dajdor"), 1);
    EXPECT_EQ(lista.replaceMarker("#LISTA", "Lista amenzi"), 1);
    EXPECT_EQ(lista.replaceMarkerNumber("#DATA", 2014), 1);
    MemoryRecords records = threeRecords();
    EXPECT_EQ(sheet::fillRecordRows(lista, records), 3);
    book.save(output.string());
  }

  ScratchDir dir;
  std::filesystem::path output = dir / "Rap0.xlsx";
};

TEST_F(TemplateFill, WritesOneRowPerRecordWithMarkersReplaced) {
  sheet::Workbook book(output.string());
  sheet::Worksheet& lista = book.sheet(0);
  EXPECT_EQ(lista.text(1, 1), "Primăria Dajdor");
  EXPECT_EQ(lista.text(2, 5), "Lista amenzi");
  EXPECT_EQ(lista.number(3, 5), 2014);
  EXPECT_EQ(lista.text(6, 2), "Nume si prenume");

  for (int n = 1; n <= 3; ++n) EXPECT_EQ(lista.number(6 + n, 1), n);
  EXPECT_EQ(lista.text(7, 2), "Popescu & <Fiul> \"SRL\"");
  EXPECT_EQ(lista.text(8, 2), "Ştefănescu Ţară");
  // a text "0" stays a text; an empty text, a zero and a missing date leave the cell empty
  EXPECT_EQ(lista.value(7, 3).kind, sheet::CellValue::Kind::Text);
  EXPECT_EQ(lista.text(7, 3), "0");
  EXPECT_EQ(lista.value(8, 3).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(lista.value(8, 9).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(lista.value(8, 10).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(lista.value(9, 11).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(lista.number(8, 11), -30);
  EXPECT_EQ(lista.number(9, 10), 100.5);
  EXPECT_EQ(lista.date(7, 9), year{2014} / 3 / 5);
  EXPECT_EQ(lista.number(7, 9), sheet::daySerial(year{2014} / 3 / 5));
  EXPECT_EQ(lista.number(7, 9), 41703);
  // formats of the record row reach every copy; the "#DBF" cell is emptied
  for (int row = 7; row <= 9; ++row) {
    EXPECT_EQ(lista.style(row, 2), 1) << row;
    EXPECT_EQ(lista.style(row, 9), 2) << row;
    EXPECT_EQ(lista.value(row, 13).kind, sheet::CellValue::Kind::Empty) << row;
  }
  EXPECT_EQ(lista.text(10, 9), "TOTAL");
  EXPECT_EQ(lista.lastRow(), 12);
  EXPECT_EQ(lista.lastColumn(), 12);
}

TEST_F(TemplateFill, AdjustsEveryFormulaAsRowInsertionDoes) {
  sheet::Workbook book(output.string());
  sheet::Worksheet& lista = book.sheet(0);
  EXPECT_EQ(lista.formula(7, 12), "J7-K7");
  EXPECT_EQ(lista.formula(8, 12), "J8-K8");
  EXPECT_EQ(lista.formula(9, 12), "J9-K9");
  EXPECT_EQ(lista.formula(10, 10), "SUM(J6:J9)");
  EXPECT_EQ(lista.formula(10, 11), "SUM(K6:K9)");
  EXPECT_EQ(lista.formula(10, 12), "SUM(L6:L9)");
  EXPECT_EQ(lista.formula(12, 2), "J10*2");
  EXPECT_EQ(lista.formula(12, 3), "$J$10");
  sheet::Worksheet* rezumat = book.findSheet("REZUMAT");
  ASSERT_NE(rezumat, nullptr);
  EXPECT_EQ(rezumat->formula(1, 1), "Lista1!J10");
  EXPECT_EQ(rezumat->formula(2, 1), "SUM(Lista1!J6:J9)");
  EXPECT_EQ(rezumat->formula(3, 1), "A1*2");
}

TEST_F(TemplateFill, KeepsTheSheetLayoutInStep) {
  const pugi::xml_document sheetXml = readPart(output, "xl/worksheets/sheet1.xml");
  const pugi::xml_node ws = sheetXml.child("worksheet");
  EXPECT_STREQ(ws.child("dimension").attribute("ref").value(), "A1:L12");
  std::vector<std::string> merges;
  for (pugi::xml_node merge : ws.child("mergeCells").children("mergeCell")) merges.push_back(merge.attribute("ref").value());
  EXPECT_EQ(merges, (std::vector<std::string>{"A1:D1", "D7:E7", "D8:E8", "D9:E9"}));
  EXPECT_EQ(ws.child("mergeCells").attribute("count").as_int(), 4);
  // the rule of the record row grows over every data row, anchored on the first
  const pugi::xml_node rule = ws.child("conditionalFormatting");
  EXPECT_STREQ(rule.attribute("sqref").value(), "J7:K9");
  EXPECT_STREQ(rule.child("cfRule").child_value("formula"), "$J7<0");
  EXPECT_STREQ(rule.child("cfRule").attribute("priority").value(), "1");
  EXPECT_FALSE(rule.next_sibling("conditionalFormatting"));
  const pugi::xml_node validation = ws.child("dataValidations").child("dataValidation");
  EXPECT_STREQ(validation.attribute("sqref").value(), "K7:K9");
  EXPECT_STREQ(validation.child_value("formula2"), "J7");
  EXPECT_EQ(ws.child("dataValidations").attribute("count").as_int(), 1);
  EXPECT_EQ(ws.child("rowBreaks").child("brk").attribute("id").as_int(), 11);
  EXPECT_STREQ(ws.child("headerFooter").child_value("oddFooter"), "&RPagina &P din &N");
  EXPECT_STREQ(ws.child("cols").first_child().attribute("width").value(), "5");
  // row attributes of the record row (its height) reach every copy
  int tallRows = 0;
  for (pugi::xml_node r : ws.child("sheetData").children("row"))
    if (std::string_view(r.attribute("ht").value()) == "18") ++tallRows;
  EXPECT_EQ(tallRows, 3);

  const pugi::xml_document workbook = readPart(output, "xl/workbook.xml");
  const pugi::xml_node names = workbook.child("workbook").child("definedNames");
  EXPECT_STREQ(names.find_child_by_attribute("name", "_xlnm.Print_Area").child_value(), "Lista1!$A$1:$M$12");
  EXPECT_STREQ(names.find_child_by_attribute("name", "Totaluri").child_value(), "Lista1!$J$10:$L$10");
  EXPECT_STREQ(workbook.child("workbook").child("calcPr").attribute("fullCalcOnLoad").value(), "1");
}

TEST_F(TemplateFill, KeepsFormattedTextsAndDropsTheStaleCalculationChain) {
  const pugi::xml_document strings = readPart(output, "xl/sharedStrings.xml");
  const pugi::xml_node first = strings.child("sst").child("si");
  EXPECT_STREQ(first.child("r").child("rPr").first_child().name(), "b");
  const sheet::ZipPackage package = sheet::ZipPackage::read(output.string());
  EXPECT_FALSE(package.has("xl/calcChain.xml"));
  EXPECT_EQ(package.part("[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_EQ(package.part("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
}

}  // namespace
