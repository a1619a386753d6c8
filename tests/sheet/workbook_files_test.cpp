// Damaged, missing and unusual files: a clear message naming the file, never a crash;
// what can be read is read and written back faithfully.
#include "sheet/template_fixture.h"
#include "sheet/workbook.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace sheet_test;

std::string openingError(const std::filesystem::path& path) {
  try {
    sheet::Workbook book(path.string());
  } catch (const sheet::Error& error) {
    return error.what();
  }
  return "";
}

TEST(WorkbookErrors, NameTheFileAndTheReason) {
  ScratchDir dir;
  const auto missing = dir / "Lipsa.xlsx";
  EXPECT_EQ(openingError(missing), "Fisierul " + missing.string() + " nu exista.");

  const auto text = dir / "Text.xlsx";
  std::ofstream(text) << "nu este o arhiva";
  EXPECT_NE(openingError(text).find("Fisierul " + text.string() + " nu este un registru de calcul XLSX"), std::string::npos);

  sheet::ZipPackage empty;
  empty.setPart("readme.txt", "x");
  empty.write((dir / "Gol.xlsx").string());
  EXPECT_NE(openingError(dir / "Gol.xlsx").find((dir / "Gol.xlsx").string()), std::string::npos);

  TemplateParts parts;
  parts.sheets = {{"Foaie1", "<sheetData/>"}};
  writeTemplate(dir / "FaraFoaie.xlsx", parts);
  sheet::ZipPackage package = sheet::ZipPackage::read((dir / "FaraFoaie.xlsx").string());
  package.removePart("xl/worksheets/sheet1.xml");
  package.write((dir / "FaraFoaie.xlsx").string());
  const std::string noSheet = openingError(dir / "FaraFoaie.xlsx");
  EXPECT_NE(noSheet.find((dir / "FaraFoaie.xlsx").string()), std::string::npos) << noSheet;
  EXPECT_NE(noSheet.find("xl/worksheets/sheet1.xml"), std::string::npos) << noSheet;

  package.setPart("xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\">");
  package.write((dir / "Rupt.xlsx").string());
  EXPECT_NE(openingError(dir / "Rupt.xlsx").find("deteriorata"), std::string::npos);
}

TEST(WorkbookErrors, TextsThatXmlCannotCarryStillSaveAndComeBack) {
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Foaie1", "<sheetData/>"}};
  writeTemplate(dir / "model.xlsx", parts);
  {
    sheet::Workbook book((dir / "model.xlsx").string());
    book.sheet(0).setText(1, 1, "linia\x01 _x0041_ \xff gata");
    book.sheet(0).setText(2, 1, "  spatii  ");
    book.save((dir / "out.xlsx").string());
  }
  sheet::Workbook saved((dir / "out.xlsx").string());
  EXPECT_EQ(saved.sheet(0).text(1, 1), "linia\x01 _x0041_ ? gata");
  EXPECT_EQ(saved.sheet(0).text(2, 1), "  spatii  ");
}

}  // namespace

namespace {

TEST(WorkbookFormats, PrefixedSpreadsheetXmlIsReadAndWrittenBack) {
  // Some producers write every element with a namespace prefix.
  ScratchDir dir;
  TemplateParts parts;
  parts.sheets = {{"Foaie1", "<sheetData/>"}};
  parts.sharedStrings = "<si><t>x</t></si>";
  writeTemplate(dir / "model.xlsx", parts);
  sheet::ZipPackage package = sheet::ZipPackage::read((dir / "model.xlsx").string());
  const std::string ns = "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
  package.setPart("xl/worksheets/sheet1.xml",
                  "<x:worksheet " + ns + "><x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c>"
                  "<x:c r=\"B1\"><x:f>A1&amp;\"!\"</x:f></x:c></x:row><x:row r=\"2\"><x:c r=\"A2\"><x:v>5</x:v></x:c></x:row>"
                  "</x:sheetData></x:worksheet>");
  package.setPart("xl/sharedStrings.xml", "<x:sst " + ns + "><x:si><x:r><x:rPr><x:b/></x:rPr><x:t>Titlu</x:t></x:r></x:si></x:sst>");
  package.write((dir / "model.xlsx").string());

  sheet::Workbook book((dir / "model.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  EXPECT_EQ(sheet.text(1, 1), "Titlu");
  EXPECT_EQ(sheet.number(2, 1), 5);
  sheet.insertRowCopies(1, 1, 2);
  EXPECT_EQ(sheet.formula(2, 2), "A2&\"!\"");
  book.save((dir / "out.xlsx").string());

  sheet::Workbook saved((dir / "out.xlsx").string());
  EXPECT_EQ(saved.sheet(0).text(2, 1), "Titlu");
  EXPECT_EQ(saved.sheet(0).number(3, 1), 5);
  EXPECT_EQ(saved.sheet(0).formula(1, 2), "A1&\"!\"");
  const pugi::xml_document strings = readPart(dir / "out.xlsx", "xl/sharedStrings.xml");
  EXPECT_TRUE(strings.child("sst").child("si").child("r").child("rPr").child("b"));
}

}  // namespace
