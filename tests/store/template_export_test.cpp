#include "store/template_export.h"

#include "sheet/template_fixture.h"
#include "store/result_set_records.h"
#include "store/scripted_interaction.h"
#include "store/sql_helpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

using sheet_test::row;
using sheet_test::textCell;

class TemplateExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    sheet_test::TemplateParts parts;
    parts.sheets = {{"Lista", "<sheetData>" + row(1, {textCell("A1", "#TITLU"), textCell("C1", "#TITLU")}) +
                                  row(2, {textCell("A2", "#NUME"), textCell("B2", "#SUMA"), textCell("C2", "#ZIUA"),
                                          textCell("D2", "%NRCRT"), textCell("E2", "#DBF")}) +
                                  "</sheetData>"}};
    sheet_test::writeTemplate(templatePath().toStdString(), parts);
  }
  QString templatePath() const { return dir_.filePath("model.xlsx"); }
  QString path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  ScriptedInteraction interaction;
};

TEST_F(TemplateExportTest, AQuerysRowsFillTheRecordRowAsTextsNumbersAndDates) {
  engine::Database db(dir_.path().toStdString());
  sql::execute(db, "CREATE TABLE " + sql::table(dir_.path(), "Rows.dbf") +
                       " (NUME CHAR(20), SUMA DECIMAL(6,0), ZIUA DATE)");
  for (const QString& values : {"\"Ana & <Dan>\", 120, " + sql::date(QDate(2026, 3, 4)),
                                QString("\"0\", 0, NULL"), QString("NULL, NULL, NULL")})
    sql::execute(db, "INSERT INTO " + sql::table(dir_.path(), "Rows.dbf") + " (NUME, SUMA, ZIUA) VALUES (" + values + ")");
  const auto rows = sql::query(db, "SELECT NUME, SUMA, ZIUA FROM " + sql::table(dir_.path(), "Rows.dbf"));

  TemplateExport xls(interaction);
  ASSERT_TRUE(xls.OpenTemplate(templatePath()));
  xls.SetMarker("#titlu", "Lista 1");
  ResultSetRecords records(*rows);
  EXPECT_EQ(xls.FillRows(records), 3);
  ASSERT_TRUE(xls.saveAs(path("out.xlsx")));
  EXPECT_FALSE(xls.isLoaded());

  sheet::Workbook book(path("out.xlsx").toStdString());
  sheet::Worksheet& s = book.sheet(0);
  EXPECT_EQ(s.text(1, 1), "Lista 1");
  EXPECT_EQ(s.text(1, 3), "Lista 1");
  EXPECT_EQ(s.text(2, 1), "Ana & <Dan>");
  EXPECT_EQ(s.number(2, 2), 120);
  EXPECT_EQ(s.date(2, 3), std::chrono::year{2026} / 3 / 4);
  EXPECT_EQ(s.number(2, 4), 1);
  EXPECT_EQ(s.text(3, 1), "0");  // a text "0" is kept, a number 0 is left out
  EXPECT_EQ(s.value(3, 2).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(s.value(4, 1).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(s.value(4, 3).kind, sheet::CellValue::Kind::Empty);
  EXPECT_EQ(s.number(4, 4), 3);
  EXPECT_EQ(s.lastRow(), 4);
  EXPECT_TRUE(interaction.messages.isEmpty());
}

TEST_F(TemplateExportTest, TheResultTakesTheFirstFreeNumberAndIsOpened) {
  QStringList opened;
  const auto open = [&opened](const QString& file) {
    opened.append(file);
    return true;
  };
  {
    QFile old(path("Rap0.xlsx"));  // an earlier result, closed: reused
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  }
  TemplateExport xls(interaction);
  ASSERT_TRUE(xls.OpenTemplate(templatePath()));
  EXPECT_EQ(xls.FinishWorkbook(dir_.path(), open), path("Rap0.xlsx"));

  // Still open in the spreadsheet program, which keeps its lock file beside it.
  QFile lock(path(".~lock.Rap0.xlsx#"));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.close();
  ASSERT_TRUE(xls.OpenTemplate(templatePath()));
  EXPECT_EQ(xls.FinishWorkbook(dir_.path(), open), path("Rap1.xlsx"));
  EXPECT_EQ(opened, QStringList({path("Rap0.xlsx"), path("Rap1.xlsx")}));
  EXPECT_EQ(sheet::Workbook(path("Rap1.xlsx").toStdString()).sheet(0).text(2, 1), "#NUME");

  EXPECT_EQ(xls.FinishWorkbook(dir_.path(), open), "");  // nothing loaded: only closes
  EXPECT_EQ(opened.size(), 2);
  EXPECT_TRUE(interaction.messages.isEmpty());

  ASSERT_TRUE(xls.OpenTemplate(templatePath()));
  EXPECT_EQ(xls.FinishWorkbook(dir_.path(), [](const QString&) { return false; }), path("Rap1.xlsx"));
  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_TRUE(interaction.messages[0].text.contains(path("Rap1.xlsx")));
}

TEST_F(TemplateExportTest, AMissingTemplateIsSilentADamagedOneIsReportedByName) {
  TemplateExport xls(interaction);
  EXPECT_FALSE(xls.OpenTemplate(path("none.xlsx")));
  EXPECT_TRUE(interaction.messages.isEmpty());

  QFile damaged(path("damaged.xlsx"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("PK not really");
  damaged.close();
  EXPECT_FALSE(xls.OpenTemplate(path("damaged.xlsx")));
  EXPECT_FALSE(xls.isLoaded());
  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_EQ(interaction.messages[0].kind, MessageKind::Error);
  EXPECT_TRUE(interaction.messages[0].text.contains(path("damaged.xlsx"))) << interaction.messages[0].text.toStdString();

  // The calls of a listing go on harmlessly, and no workbook comes of them.
  xls.SetMarker("#TITLU", "x");
  xls.SetMarkerNumber("#SUMA", 3);
  EXPECT_EQ(xls.FinishWorkbook(dir_.path(), [](const QString&) { return true; }), "");
  EXPECT_TRUE(QDir(dir_.path()).entryList({"Rap*"}).isEmpty());
}

}  // namespace
}  // namespace dajdor
