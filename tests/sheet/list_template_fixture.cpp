#include "sheet/list_template_fixture.h"

namespace sheet_test {

void writeListTemplate(const std::filesystem::path& path) {
  TemplateParts parts;
  parts.sharedStrings =
      "<si><r><rPr><b/></rPr><t>Nume</t></r><r><t xml:space=\"preserve\"> si prenume</t></r></si><si><t>Valoare</t></si>";
  parts.cellFormats =
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" applyBorder=\"1\"/>"
      "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"1\" applyNumberFormat=\"1\"/>";
  const std::string lista =
      "<cols><col min=\"1\" max=\"1\" width=\"5\" customWidth=\"1\"/><col min=\"2\" max=\"2\" width=\"30\" customWidth=\"1\"/></cols>"
      "<sheetData>" +
      row(1, {textCell("A1", "#PRIMARIA")}) + row(2, {textCell("E2", "#LISTA")}) + row(3, {textCell("E3", " #data ")}) +
      row(6, {"<c r=\"B6\" t=\"s\"><v>0</v></c>", textCell("I6", "Data"), "<c r=\"J6\" t=\"s\"><v>1</v></c>",
              textCell("K6", "Sold"), textCell("L6", "Rest")}) +
      "<row r=\"7\" ht=\"18\" customHeight=\"1\">" + textCell("A7", "%NRCRT", 1) + textCell("B7", "#NUMEP", 1) +
      textCell("C7", "#CNP", 1) + textCell("I7", "#DINDATA", 2) + textCell("J7", "#VAL1", 1) +
      textCell("K7", "#SOLD1", 1) + formulaCell("L7", "J7-K7", 1) + textCell("M7", "#dbf") + "</row>" +
      row(8, {textCell("I8", "TOTAL"), formulaCell("J8", "SUM(J6:J7)"), formulaCell("K8", "SUM(K6:K7)"),
              formulaCell("L8", "SUM(L6:L7)")}) +
      row(10, {formulaCell("B10", "J8*2"), formulaCell("C10", "$J$8")}) +
      "</sheetData>"
      "<mergeCells count=\"2\"><mergeCell ref=\"A1:D1\"/><mergeCell ref=\"D7:E7\"/></mergeCells>"
      "<conditionalFormatting sqref=\"J7:K7\"><cfRule type=\"expression\" priority=\"1\"><formula>$J7&lt;0</formula></cfRule></conditionalFormatting>"
      "<dataValidations count=\"1\"><dataValidation type=\"decimal\" sqref=\"K7\"><formula1>-1000</formula1><formula2>J7</formula2></dataValidation></dataValidations>"
      "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
      "<headerFooter><oddFooter>&amp;RPagina &amp;P din &amp;N</oddFooter></headerFooter>"
      "<rowBreaks count=\"1\" manualBreakCount=\"1\"><brk id=\"9\" max=\"16383\" man=\"1\"/></rowBreaks>";
  const std::string rezumat = "<sheetData>" +
                              row(1, {formulaCell("A1", "Lista1!J8")}) + row(2, {formulaCell("A2", "SUM(Lista1!J6:J7)")}) +
                              row(3, {formulaCell("A3", "A1*2")}) + "</sheetData>";
  parts.sheets = {{"Lista1", lista}, {"Rezumat", rezumat}};
  parts.definedNames =
      "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Lista1!$A$1:$M$10</definedName>"
      "<definedName name=\"Totaluri\">Lista1!$J$8:$L$8</definedName>";
  parts.calcChain = true;
  writeTemplate(path, parts);
}

MemoryRecords numberedRecords(int count) {
  std::vector<std::vector<sheet::FieldValue>> rows;
  for (int n = 1; n <= count; ++n)
    rows.push_back({sheet::FieldValue::ofText("Contribuabil " + std::to_string(n)),
                    sheet::FieldValue::ofText(std::to_string(1000 + n)),
                    sheet::FieldValue::ofDate(std::chrono::year{2014} / 1 / (n % 28 + 1)),
                    sheet::FieldValue::ofNumber(100.0 * n), sheet::FieldValue::ofNumber(n)});
  return MemoryRecords({"NUMEP", "CNP", "DINDATA", "VAL1", "SOLD1"}, std::move(rows));
}

}  // namespace sheet_test
