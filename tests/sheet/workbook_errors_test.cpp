// Damaged or missing templates give a clear message naming the file, never a crash.
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
