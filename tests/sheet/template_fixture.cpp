#include "sheet/template_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace sheet_test {
namespace {

const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

std::string styleAttr(int style) { return style ? " s=\"" + std::to_string(style) + "\"" : ""; }

}  // namespace

void writeTemplate(const std::filesystem::path& path, const TemplateParts& parts) {
  sheet::ZipPackage package;
  std::string types =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
  std::string rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rIdStyles\" Type=\"" + kRel + "/styles\" Target=\"styles.xml\"/>";
  std::string sheets;
  for (std::size_t i = 0; i < parts.sheets.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    types += "<Override PartName=\"/xl/worksheets/sheet" + n +
             ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
    sheets += "<sheet name=\"" + escaped(parts.sheets[i].first) + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
  }
  if (!parts.sharedStrings.empty()) {
    types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    rels += "<Relationship Id=\"rIdStrings\" Type=\"" + kRel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  }
  if (parts.calcChain) {
    types += "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
    rels += "<Relationship Id=\"rIdChain\" Type=\"" + kRel + "/calcChain\" Target=\"calcChain.xml\"/>";
  }
  package.setPart("[Content_Types].xml", types + "</Types>");
  package.setPart("_rels/.rels",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                  "<Relationship Id=\"rId1\" Type=\"" + kRel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  std::string workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                         "\"><sheets>" + sheets + "</sheets>";
  if (!parts.definedNames.empty()) workbook += "<definedNames>" + parts.definedNames + "</definedNames>";
  package.setPart("xl/workbook.xml", workbook + "</workbook>");
  package.setPart("xl/_rels/workbook.xml.rels", rels + "</Relationships>");
  const std::string xfs = parts.cellFormats.empty() ? "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>" : parts.cellFormats;
  std::string styles = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"" + kMain + "\">";
  if (!parts.numberFormats.empty()) styles += "<numFmts>" + parts.numberFormats + "</numFmts>";
  styles += "<fonts count=\"2\"><font><sz val=\"10\"/><name val=\"Arial\"/></font><font><b/><sz val=\"10\"/><name val=\"Arial\"/></font></fonts>"
            "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
            "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border>"
            "<border><left style=\"thin\"/><right style=\"thin\"/><top style=\"thin\"/><bottom style=\"thin\"/><diagonal/></border></borders>"
            "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
            "<cellXfs>" + xfs + "</cellXfs>"
            "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
  package.setPart("xl/styles.xml", styles);
  for (std::size_t i = 0; i < parts.sheets.size(); ++i)
    package.setPart("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                        "\"><dimension ref=\"A1\"/>" + parts.sheets[i].second + "</worksheet>");
  if (!parts.sharedStrings.empty())
    package.setPart("xl/sharedStrings.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"" + kMain + "\">" +
                                                parts.sharedStrings + "</sst>");
  if (parts.calcChain)
    package.setPart("xl/calcChain.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><calcChain xmlns=\"" + kMain +
                                            "\"><c r=\"A1\" i=\"1\"/></calcChain>");
  package.write(path.string());
}

std::string textCell(const std::string& ref, const std::string& text, int style) {
  return "<c r=\"" + ref + "\"" + styleAttr(style) + " t=\"inlineStr\"><is><t>" + escaped(text) + "</t></is></c>";
}

std::string numberCell(const std::string& ref, double number, int style) {
  std::ostringstream out;
  out << number;
  return "<c r=\"" + ref + "\"" + styleAttr(style) + "><v>" + out.str() + "</v></c>";
}

std::string formulaCell(const std::string& ref, const std::string& formula, int style) {
  return "<c r=\"" + ref + "\"" + styleAttr(style) + "><f>" + escaped(formula) + "</f><v>0</v></c>";
}

std::string row(int number, const std::vector<std::string>& cells) {
  std::string out = "<row r=\"" + std::to_string(number) + "\">";
  for (const std::string& cell : cells) out += cell;
  return out + "</row>";
}

pugi::xml_document readPart(const std::filesystem::path& file, const std::string& part) {
  const sheet::ZipPackage package = sheet::ZipPackage::read(file.string());
  pugi::xml_document doc;
  const std::string& bytes = package.part(part);
  EXPECT_TRUE(doc.load_buffer(bytes.data(), bytes.size())) << part;
  return doc;
}

ScratchDir::ScratchDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("dajdor-sheet-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace sheet_test
