// New workbooks: the cells, fonts, borders, alignment and page setup that the
// listings ask for reach the file.
#include "sheet/template_fixture.h"
#include "sheet/workbook.h"
#include "sheet/workbook_writer.h"

#include <gtest/gtest.h>

namespace {

using namespace sheet_test;

void writeBordereau(const std::filesystem::path& path) {
  sheet::WorkbookWriter out(path.string());
  EXPECT_EQ(out.addFont({"Arial", sheet::pointsFromPixels(12)}), 0);
  EXPECT_EQ(out.addFont({"Arial", sheet::pointsFromPixels(12), true}), 1);
  EXPECT_EQ(out.addFont({"Times New Roman", 12, false, true, true, true}), 2);
  out.setMargins(0.6, 0.4, 0.3, 0.4);
  out.setHeader("");
  out.setFooter("&RPagina &P din &N");
  out.setColumnWidth(1, 7);
  out.setColumnWidth(2, 26);
  out.setFont(0);
  out.writeText(1, 1, "Primăria Dajdor & <Fiii> \"SA\"");
  out.setFont(1);
  out.setAlignment(sheet::Alignment::Center);
  out.setBorders({.top = true, .left = true, .right = true});
  out.writeText(6, 1, "NR");
  out.setBorders({.bottom = true, .left = true, .right = true});
  out.writeFramed(7, 1);
  out.setFont(2);
  out.setAlignment(sheet::Alignment::Right);
  out.setBorders(sheet::Borders::all());
  out.writeNumber(8, 3, 1234.5);
  out.writeDate(8, 4, std::chrono::year{2014} / 3 / 5);
  out.save();
}

TEST(WorkbookWriter, WritesCellsFontsBordersAndPageSetup) {
  ScratchDir dir;
  const auto path = dir / "Borderou.xlsx";
  writeBordereau(path);

  sheet::Workbook book(path.string());
  sheet::Worksheet& sheet = book.sheet(0);
  EXPECT_EQ(sheet.text(1, 1), "Primăria Dajdor & <Fiii> \"SA\"");
  EXPECT_EQ(sheet.text(6, 1), "NR");
  EXPECT_EQ(sheet.number(8, 3), 1234.5);
  EXPECT_EQ(sheet.date(8, 4), std::chrono::year{2014} / 3 / 5);

  const pugi::xml_document sheetXml = readPart(path, "xl/worksheets/sheet1.xml");
  const pugi::xml_node ws = sheetXml.child("worksheet");
  EXPECT_DOUBLE_EQ(ws.child("pageMargins").attribute("left").as_double(), 0.6);
  EXPECT_DOUBLE_EQ(ws.child("pageMargins").attribute("bottom").as_double(), 0.4);
  EXPECT_STREQ(ws.child("headerFooter").child_value("oddFooter"), "&RPagina &P din &N");
  EXPECT_NEAR(ws.child("cols").find_child_by_attribute("min", "2").attribute("width").as_double(), 26, 1);

  // the cell formats: font, alignment and borders of each written cell
  const pugi::xml_document styles = readPart(path, "xl/styles.xml");
  const pugi::xml_node styleSheet = styles.child("styleSheet");
  std::vector<pugi::xml_node> fonts, borders, xfs;
  for (pugi::xml_node n : styleSheet.child("fonts").children("font")) fonts.push_back(n);
  for (pugi::xml_node n : styleSheet.child("borders").children("border")) borders.push_back(n);
  for (pugi::xml_node n : styleSheet.child("cellXfs").children("xf")) xfs.push_back(n);
  const auto formatOf = [&](int row, int column) { return xfs.at(static_cast<std::size_t>(sheet.style(row, column))); };

  const pugi::xml_node heading = formatOf(6, 1);
  const pugi::xml_node headingFont = fonts.at(heading.attribute("fontId").as_uint());
  EXPECT_TRUE(headingFont.child("b"));
  EXPECT_STREQ(headingFont.child("name").attribute("val").value(), "Arial");
  EXPECT_DOUBLE_EQ(headingFont.child("sz").attribute("val").as_double(), 9);
  EXPECT_STREQ(heading.child("alignment").attribute("horizontal").value(), "center");
  const pugi::xml_node headingBorder = borders.at(heading.attribute("borderId").as_uint());
  EXPECT_TRUE(headingBorder.child("top").attribute("style"));
  EXPECT_FALSE(headingBorder.child("bottom").attribute("style"));

  const pugi::xml_node framedBorder = borders.at(formatOf(7, 1).attribute("borderId").as_uint());
  EXPECT_TRUE(framedBorder.child("bottom").attribute("style"));
  EXPECT_FALSE(framedBorder.child("top").attribute("style"));

  const pugi::xml_node amount = formatOf(8, 3);
  const pugi::xml_node amountFont = fonts.at(amount.attribute("fontId").as_uint());
  EXPECT_TRUE(amountFont.child("i") && amountFont.child("u") && amountFont.child("strike"));
  EXPECT_STREQ(amountFont.child("name").attribute("val").value(), "Times New Roman");
  EXPECT_STREQ(amount.child("alignment").attribute("horizontal").value(), "right");
  EXPECT_TRUE(book.sheet(0).style(8, 4) != book.sheet(0).style(8, 3));
}

TEST(WorkbookWriter, RefusesWhatTheListingsCannotMean) {
  ScratchDir dir;
  sheet::WorkbookWriter out((dir / "x.xlsx").string());
  for (int i = 0; i < sheet::WorkbookWriter::kMaxFonts; ++i) out.addFont({});
  EXPECT_THROW(out.addFont({}), sheet::Error);
  EXPECT_THROW(out.setFont(4), sheet::Error);
  EXPECT_THROW(out.writeText(0, 1, "x"), sheet::Error);
  EXPECT_THROW(out.writeNumber(1, sheet::kMaxColumn + 1, 1), sheet::Error);
  EXPECT_THROW(out.setFooter(std::string(300, 'x')), sheet::Error);
}

TEST(WorkbookWriter, AnUnsavedWorkbookLeavesNoFile) {
  ScratchDir dir;
  const auto path = dir / "x.xlsx";
  {
    sheet::WorkbookWriter out(path.string());
    out.writeText(1, 1, "x");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(WorkbookWriter, AnUnwritableFileIsReportedByName) {
  ScratchDir dir;
  sheet::WorkbookWriter out((dir / "lipsa" / "x.xlsx").string());
  out.writeText(1, 1, "x");
  try {
    out.save();
    FAIL() << "saved into a missing folder";
  } catch (const sheet::Error& error) {
    EXPECT_NE(std::string(error.what()).find("lipsa/x.xlsx"), std::string::npos) << error.what();
  }
}

}  // namespace
