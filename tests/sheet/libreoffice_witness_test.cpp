// LibreOffice opens what the engine wrote and recomputes it: the totals cover every
// record row, per-row formulas compute on their own rows, formulas on other sheets
// follow, a template edited by hand still fills, and new workbooks open.
#include "sheet/libreoffice_fixture.h"
#include "sheet/list_template_fixture.h"
#include "sheet/record_rows.h"
#include "sheet/workbook.h"
#include "sheet/workbook_writer.h"

#include <gtest/gtest.h>

namespace {

using namespace sheet_test;

class LibreOfficeWitness : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!libreOfficeAvailable()) GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  }
  ScratchDir dir;
};

constexpr int kRecords = 40;

TEST_F(LibreOfficeWitness, TotalsCoverEveryRecordAndRowFormulasTheirOwnRow) {
  writeListTemplate(dir / "model.xlsx");
  sheet::Workbook book((dir / "model.xlsx").string());
  book.sheet(0).replaceMarker("#PRIMARIA", "Primăria Dajdor & <Fiii>");
  MemoryRecords records = numberedRecords(kRecords);
  ASSERT_EQ(sheet::fillRecordRows(book.sheet(0), records), kRecords);
  book.save((dir / "Rap0.xlsx").string());

  const CsvRows lista = sheetAsCsv(dir / "Rap0.xlsx", "Lista1", dir.path());
  EXPECT_EQ(csvCell(lista, 1, 1), "Primăria Dajdor & <Fiii>");
  double valueSum = 0, balanceSum = 0;
  for (int n = 1; n <= kRecords; ++n) {
    const int row = 6 + n;
    EXPECT_EQ(csvNumber(lista, row, 1), n);
    EXPECT_EQ(csvCell(lista, row, 2), "Contribuabil " + std::to_string(n));
    const double value = csvNumber(lista, row, 10), balance = csvNumber(lista, row, 11);
    EXPECT_EQ(value, 100.0 * n);
    EXPECT_EQ(csvNumber(lista, row, 12), value - balance) << "row " << row;
    valueSum += value;
    balanceSum += balance;
  }
  const int totals = 7 + kRecords;
  EXPECT_EQ(csvCell(lista, totals, 9), "TOTAL");
  EXPECT_EQ(csvNumber(lista, totals, 10), valueSum);
  EXPECT_EQ(csvNumber(lista, totals, 11), balanceSum);
  EXPECT_EQ(csvNumber(lista, totals, 12), valueSum - balanceSum);
  EXPECT_EQ(csvNumber(lista, totals + 2, 2), 2 * valueSum);

  const CsvRows rezumat = sheetAsCsv(dir / "Rap0.xlsx", "Rezumat", dir.path());
  EXPECT_EQ(csvNumber(rezumat, 1, 1), valueSum);
  EXPECT_EQ(csvNumber(rezumat, 2, 1), valueSum);
  EXPECT_EQ(csvNumber(rezumat, 3, 1), 2 * valueSum);
}

TEST_F(LibreOfficeWitness, ATemplateEditedByHandStillFills) {
  writeListTemplate(dir / "model.xlsx");
  {
    // The town hall adds a column before the personal code and moves the row's
    // difference two columns to the right.
    sheet::Workbook edit((dir / "model.xlsx").string());
    sheet::Worksheet& lista = edit.sheet(0);
    lista.insertColumns(3);
    lista.setText(6, 3, "Observatii");
    lista.clear(7, 13);
    lista.setFormula(7, 15, "=K7-L7");
    edit.save((dir / "edited.xlsx").string());
  }
  sheet::Workbook book((dir / "edited.xlsx").string());
  MemoryRecords records = numberedRecords(5);
  ASSERT_EQ(sheet::fillRecordRows(book.sheet(0), records), 5);
  book.save((dir / "Rap1.xlsx").string());

  const CsvRows lista = sheetAsCsv(dir / "Rap1.xlsx", "Lista1", dir.path());
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(csvCell(lista, 6 + n, 4), std::to_string(1000 + n));
    EXPECT_EQ(csvNumber(lista, 6 + n, 11), 100.0 * n);
    EXPECT_EQ(csvNumber(lista, 6 + n, 15), 100.0 * n - n);
  }
  EXPECT_EQ(csvNumber(lista, 12, 11), 1500);
  EXPECT_EQ(csvNumber(lista, 12, 12), 15);
}

TEST_F(LibreOfficeWitness, ATemplateSavedByLibreOfficeFills) {
  writeListTemplate(dir / "model.xlsx");
  const auto resaved = resavedByLibreOffice(dir / "model.xlsx", dir.path());
  sheet::Workbook book(resaved.string());
  MemoryRecords records = numberedRecords(7);
  ASSERT_EQ(sheet::fillRecordRows(book.sheet(0), records), 7);
  book.save((dir / "Rap3.xlsx").string());

  const CsvRows lista = sheetAsCsv(dir / "Rap3.xlsx", "Lista1", dir.path());
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(csvNumber(lista, 6 + n, 12), 99.0 * n);
  EXPECT_EQ(csvNumber(lista, 14, 10), 2800);
  EXPECT_EQ(csvNumber(lista, 14, 12), 2800 - 28);
  const CsvRows rezumat = sheetAsCsv(dir / "Rap3.xlsx", "Rezumat", dir.path());
  EXPECT_EQ(csvNumber(rezumat, 2, 1), 2800);
}

TEST_F(LibreOfficeWitness, CopiedColumnPairsComputeTheirOwnTotals) {
  // A cumulated bordereau: one (debited, deducted) pair of columns per tax group,
  // each new pair a copy of F:G inserted at H.
  TemplateParts parts;
  parts.sheets = {{"Borderou0",
                   "<sheetData>" + row(6, {textCell("F6", "grupa")}) +
                       row(8, {textCell("A8", "#ROL"), textCell("F8", "#A1BD"), textCell("G8", "#A1BS"),
                               textCell("H8", "#TOTAL"), textCell("I8", "#DBF")}) +
                       row(9, {textCell("E9", "TOTAL"), formulaCell("F9", "SUM(F7:F8)"), formulaCell("G9", "SUM(G7:G8)"),
                               formulaCell("H9", "SUM(H7:H8)"), formulaCell("I9", "F9-G9+H9*0")}) +
                       "</sheetData>"}};
  writeTemplate(dir / "bdbs.xlsx", parts);
  sheet::Workbook book((dir / "bdbs.xlsx").string());
  sheet::Worksheet& sheet = book.sheet(0);
  sheet.insertColumnCopies(6, 2, 8);
  sheet.setText(6, 6, "Amenzi");
  sheet.setText(8, 6, "#A2BD");
  sheet.setText(8, 7, "#A2BS");
  std::vector<std::vector<sheet::FieldValue>> rows;
  for (int n = 1; n <= 6; ++n)
    rows.push_back({sheet::FieldValue::ofText(std::to_string(100 + n)), sheet::FieldValue::ofNumber(n),
                    sheet::FieldValue::ofNumber(10 * n), sheet::FieldValue::ofNumber(100 * n),
                    sheet::FieldValue::ofNumber(1000 * n), sheet::FieldValue::ofNumber(n + 10 * n + 100 * n)});
  MemoryRecords records({"ROL", "A1BD", "A1BS", "A2BD", "A2BS", "TOTAL"}, std::move(rows));
  ASSERT_EQ(sheet::fillRecordRows(sheet, records), 6);
  book.save((dir / "Rap2.xlsx").string());

  const CsvRows csv = sheetAsCsv(dir / "Rap2.xlsx", "Borderou0", dir.path());
  EXPECT_EQ(csvCell(csv, 6, 6), "Amenzi");
  EXPECT_EQ(csvCell(csv, 6, 8), "grupa");
  // columns F..J hold A2BD, A2BS, A1BD, A1BS, TOTAL; row 14 their sums over 21 = 1+..+6
  const double factors[] = {100, 1000, 1, 10, 111};
  for (int k = 0; k < 5; ++k) {
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(csvNumber(csv, 7 + n, 6 + k), factors[k] * n) << "column " << 6 + k;
    EXPECT_EQ(csvNumber(csv, 14, 6 + k), factors[k] * 21) << "column " << 6 + k;
  }
  EXPECT_EQ(csvNumber(csv, 14, 11), 2100 - 21000);  // the moved formula still reads F and G
}

TEST_F(LibreOfficeWitness, ANewWorkbookOpens) {
  {
    sheet::WorkbookWriter out((dir / "Borderou.xlsx").string(), "Borderou");
    out.addFont({"Arial", 9});
    out.addFont({"Arial", 12, true});
    out.setMargins(0.6, 0.4, 0.3, 0.4);
    out.setFooter("&RPagina &P");
    out.setColumnWidth(2, 26);
    out.setFont(1);
    out.writeText(1, 1, "Primăria Dajdor");
    out.setFont(0);
    out.setBorders(sheet::Borders::all());
    out.setAlignment(sheet::Alignment::Right);
    out.writeText(3, 1, "ROL");
    out.writeNumber(3, 2, 380);
    out.writeFramed(3, 3);
    out.writeDate(3, 4, std::chrono::year{2014} / 3 / 5);
    out.save();
  }
  const CsvRows sheet = sheetAsCsv(dir / "Borderou.xlsx", "Borderou", dir.path());
  EXPECT_EQ(csvCell(sheet, 1, 1), "Primăria Dajdor");
  EXPECT_EQ(csvCell(sheet, 3, 1), "ROL");
  EXPECT_EQ(csvNumber(sheet, 3, 2), 380);
  EXPECT_EQ(csvCell(sheet, 3, 3), "");
  EXPECT_EQ(csvCell(sheet, 3, 4), "05.03.2014");
}

}  // namespace
