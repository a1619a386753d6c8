// Banded layout as data: where bands land, where pages break, what repeats.
#include "report/report_layout.h"
#include "report/report_text.h"

#include "store/engine/result_set.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace dajdor::report {
namespace {

constexpr double kTop = 10;
constexpr double kFooterTop = 297 - 10 - 8;

// Title 20, page header 10, detail rows 10, summary 10, page footer 8 mm.
ReportDefinition listing() {
  ReportDefinition def;
  def.name = "Lista";
  def.title.height = 20;
  def.title.text({0, 0, 190, 20}, "TITLU");
  def.pageHeader.height = 10;
  def.pageHeader.text({0, 0, 100, 10}, "Antet");
  def.detail.height = 10;
  def.detail.text({0, 0, 20, 10}, "{row}");
  def.detail.field({20, 0, 100, 10}, "NUME");
  def.detail.field({120, 0, 40, 10}, "SUMA").format = FieldFormat::Amount;
  def.detail.text({160, 0, 30, 10}, "pag. {page}");
  def.summary.height = 10;
  def.summary.sum({120, 0, 40, 10}, "SUMA");
  def.pageFooter.height = 8;
  def.pageFooter.text({0, 0, 190, 8}, "Pagina {page} din {pages}");
  return def;
}

PlainRows numberedRows(int count) {
  PlainRows rows({"NUME", "SUMA"});
  for (int i = 1; i <= count; ++i) rows.append({QString("Nume %1").arg(i), QString::number(i)});
  return rows;
}

const ReportItem* findText(const ReportPage& page, const QString& text) {
  for (const ReportItem& item : page.items) {
    if (item.kind == ItemKind::Text && item.text() == text) return &item;
  }
  return nullptr;
}

QList<const ReportItem*> matching(const ReportPage& page, const QString& pattern) {
  const QRegularExpression re("^" + pattern + "$");
  QList<const ReportItem*> found;
  for (const ReportItem& item : page.items) {
    if (item.kind == ItemKind::Text && re.match(item.text()).hasMatch()) found.append(&item);
  }
  return found;
}

TEST(ReportLayout, RowsFlowOverPagesWithHeaderAndFooterOnEveryPage) {
  const ReportDocument doc = layOutReport(listing(), numberedRows(60));
  ASSERT_EQ(doc.pages.size(), 3);

  // Page 1: title at the top, header under it; later pages start with the header.
  ASSERT_NE(findText(doc.pages[0], "TITLU"), nullptr);
  EXPECT_DOUBLE_EQ(findText(doc.pages[0], "TITLU")->rect.top(), kTop);
  EXPECT_DOUBLE_EQ(findText(doc.pages[0], "Antet")->rect.top(), kTop + 20);
  EXPECT_EQ(findText(doc.pages[1], "TITLU"), nullptr);
  // Rows fill each page up to the footer: 23 under title and header, 25 after.
  const int expectedRows[] = {23, 25, 12};
  int next = 1;
  for (int p = 0; p < 3; ++p) {
    const ReportPage& page = doc.pages[p];
    SCOPED_TRACE(p);
    ASSERT_NE(findText(page, "Antet"), nullptr);
    if (p > 0) {
      EXPECT_DOUBLE_EQ(findText(page, "Antet")->rect.top(), kTop);
    }
    const ReportItem* footer = findText(page, QString("Pagina %1 din 3").arg(p + 1));
    ASSERT_NE(footer, nullptr);
    EXPECT_DOUBLE_EQ(footer->rect.top(), kFooterTop);
    const auto names = matching(page, "Nume \\d+");
    ASSERT_EQ(names.size(), expectedRows[p]);
    // Also the first row of a page, which was fitted before it moved there.
    EXPECT_EQ(matching(page, QString("pag. %1").arg(p + 1)).size(), expectedRows[p]);
    double previousBottom = findText(page, "Antet")->rect.bottom();
    for (const ReportItem* name : names) {
      EXPECT_EQ(name->text(), QString("Nume %1").arg(next));
      EXPECT_DOUBLE_EQ(name->rect.top(), previousBottom) << "rows follow each other without gaps";
      EXPECT_LE(name->rect.bottom(), kFooterTop);
      EXPECT_NE(findText(page, QString::number(next)), nullptr) << "row number " << next;
      previousBottom = name->rect.bottom();
      ++next;
    }
  }
  // The summary follows the last row and sums every row: 1 + ... + 60.
  const ReportItem* total = findText(doc.pages[2], "1830.00");
  ASSERT_NE(total, nullptr);
  EXPECT_DOUBLE_EQ(total->rect.top(), findText(doc.pages[2], "Nume 60")->rect.bottom());
}

TEST(ReportLayout, SummaryThatNoLongerFitsMovesToANewPageUnderTheHeader) {
  // 23 rows end page 1 at 270; the 10 mm summary does not fit above 279.
  const ReportDocument doc = layOutReport(listing(), numberedRows(23));
  ASSERT_EQ(doc.pages.size(), 2);
  EXPECT_EQ(findText(doc.pages[0], "276.00"), nullptr);
  ASSERT_NE(findText(doc.pages[1], "276.00"), nullptr);
  EXPECT_DOUBLE_EQ(findText(doc.pages[1], "276.00")->rect.top(), kTop + 10);
  EXPECT_NE(findText(doc.pages[1], "Pagina 2 din 2"), nullptr);
}

TEST(ReportLayout, NoRowsStillGiveOnePageWithTitleHeaderAndZeroSummary) {
  const ReportDocument doc = layOutReport(listing(), numberedRows(0));
  ASSERT_EQ(doc.pages.size(), 1);
  EXPECT_NE(findText(doc.pages[0], "TITLU"), nullptr);
  EXPECT_NE(findText(doc.pages[0], "0.00"), nullptr);
  EXPECT_NE(findText(doc.pages[0], "Pagina 1 din 1"), nullptr);
}

TEST(ReportLayout, GroupBandsOpenAndCloseEachGroupWithItsSums) {
  ReportDefinition def;
  def.detail.height = 5;
  def.detail.field({0, 0, 50, 5}, "NUME");
  GroupBands group;
  group.field = "SAT";
  group.header.height = 6;
  group.header.field({0, 0, 50, 6}, "SAT");
  group.footer.height = 6;
  group.footer.sum({50, 0, 30, 6}, "SUMA").format = FieldFormat::Whole;
  group.footer.field({80, 0, 30, 6}, "NUME").aggregate = Aggregate::Count;
  def.group = group;
  PlainRows rows({"SAT", "NUME", "SUMA"});
  rows.append({"Arini", "A1", "10"});
  rows.append({"Arini", "A2", "15"});
  rows.append({"Bradu", "B1", "7"});
  const QStringList texts = layOutReport(def, rows).pages[0].texts();
  EXPECT_EQ(texts, QStringList({"Arini", "A1", "A2", "25", "2", "Bradu", "B1", "7", "1"}));
}

TEST(ReportLayout, LongTextsFollowTheirElementsRule) {
  const QString longText = QString("cuvant ").repeated(40).trimmed();
  struct Case {
    TextFit fit;
    bool grows;
  };
  for (const Case c :
       {Case{TextFit::Clip, false}, Case{TextFit::WrapInBox, false}, Case{TextFit::Wrap, true}}) {
    SCOPED_TRACE(static_cast<int>(c.fit));
    ReportDefinition def;
    def.detail.height = 8;
    def.detail.field({0, 0, 40, 8}, "TEXT").fit = c.fit;
    def.detail.line({40, 0}, {40, 8});  // a column rule reaching the band's foot
    PlainRows rows({"TEXT"});
    rows.append({longText});
    rows.append({"scurt"});
    const ReportPage page = layOutReport(def, rows).pages[0];
    const ReportItem& text = page.items[0];
    const ReportItem& rule = page.items[1];
    const ReportItem& nextRow = page.items[2];
    EXPECT_EQ(nextRow.text(), "scurt");
    const QString printed = text.lines.join(' ');
    if (c.fit == TextFit::Clip) {
      ASSERT_EQ(text.lines.size(), 1);
      EXPECT_TRUE(longText.startsWith(text.lines[0]));
      EXPECT_LT(text.lines[0].size(), longText.size());
    } else if (c.fit == TextFit::WrapInBox) {
      EXPECT_GT(text.lines.size(), 1);
      EXPECT_LE(text.lines.size() * lineHeight(text.style), 8.0);
      EXPECT_TRUE(longText.startsWith(printed));
      EXPECT_LT(printed.size(), longText.size());
    } else {
      EXPECT_EQ(printed, longText) << "nothing is lost";
    }
    if (c.grows) {
      EXPECT_GT(text.rect.height(), 8);
      EXPECT_DOUBLE_EQ(rule.rect.bottom(), text.rect.bottom()) << "the rule grows with the band";
      EXPECT_DOUBLE_EQ(nextRow.rect.top(), text.rect.bottom());
    } else {
      EXPECT_DOUBLE_EQ(text.rect.height(), 8);
      EXPECT_DOUBLE_EQ(rule.rect.bottom(), 18);  // 10 mm margin + 8 mm band
      EXPECT_DOUBLE_EQ(nextRow.rect.top(), 18);
    }
  }
}

TEST(ReportLayout, ABandTallerThanThePageGetsAPageOfItsOwn) {
  ReportDefinition def;
  def.detail.height = 400;
  def.detail.field({0, 0, 50, 5}, "NUME");
  PlainRows rows({"NUME"});
  rows.append({"unu"});
  rows.append({"doi"});
  const ReportDocument doc = layOutReport(def, rows);
  ASSERT_EQ(doc.pages.size(), 2);
  EXPECT_EQ(doc.pages[0].texts(), QStringList{"unu"});
  EXPECT_EQ(doc.pages[1].texts(), QStringList{"doi"});
}

TEST(ReportData, ResultSetRowsReadFieldsByNameAsText) {
  engine::MaterializedResult result(
      {"ROL", "SUMA", "DATAI"},
      {engine::Value::text("12"), engine::Value::decimal(12345, 2), engine::Value::date(0),
       engine::Value::text("13"), engine::Value::null(), engine::Value::null()});
  const ResultSetRows rows(result);
  ASSERT_EQ(rows.rowCount(), 2);
  EXPECT_EQ(rows.value(0, "rol"), "12");
  EXPECT_EQ(rows.value(0, "SUMA"), "123.45");
  EXPECT_EQ(rows.value(1, "SUMA"), "");
  EXPECT_EQ(rows.value(0, "LIPSA"), "");
  EXPECT_EQ(rows.value(5, "ROL"), "");
}

TEST(ReportData, ValuesFormatAsTheirElementsAsk) {
  struct Case {
    const char* value;
    FieldFormat format;
    const char* printed;
  };
  const Case cases[] = {
      {"1234.5", FieldFormat::Amount, "1234.50"}, {"-0.001", FieldFormat::Amount, "0.00"},
      {"2.5", FieldFormat::Whole, "3"},           {"-2.5", FieldFormat::Whole, "-3"},
      {"-0.4", FieldFormat::Whole, "0"},          {"", FieldFormat::Amount, ""},
      {"abc", FieldFormat::Amount, "abc"},        {"007", FieldFormat::Text, "007"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatValue(c.value, c.format), c.printed) << c.value;
}

}  // namespace
}  // namespace dajdor::report
