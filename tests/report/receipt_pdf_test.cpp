// The receipt and the cancelled-receipts summary as PDF files, read back with
// poppler's tools as a reader of the file would see them.
#include "report/cancelled_receipts_report.h"
#include "report/pdf_export.h"
#include "report/receipt_fixture.h"
#include "report/receipt_report.h"
#include "support/external_tool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace dajdor::report {
namespace {

QString pdfText(const QString& path, const char* options = "") {
  return QString::fromStdString(witness::output(std::string("pdftotext ") + options + " " +
                                                witness::shellQuote(path.toStdString()) + " -"));
}

// pdftotext puts runs of blanks and line ends where the page has gaps.
QString squeezed(QString text) { return text.simplified(); }

class ReceiptPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!witness::haveTool("pdftotext") || !witness::haveTool("pdftoppm"))
      GTEST_SKIP() << "poppler-utils missing";
    ASSERT_TRUE(dir_.isValid());
  }
  QString path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

TEST_F(ReceiptPdf, EveryFieldPrintsInBothCopies) {
  Receipt receipt = testing::sampleReceipt(9);
  receipt.townHall.locality = "Vardeni";
  const QString file = path("Chit0.pdf");
  ASSERT_TRUE(writePdf(layOutReceipt(receipt), file));
  const QString info =
      QString::fromStdString(witness::output("pdfinfo " + witness::shellQuote(file.toStdString())));
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains("pts (A4)")) << info.toStdString();

  const QString text = squeezed(pdfText(file));
  const QStringList fields = testing::sampleReceiptTexts() + QStringList{
      "VARDENI",
      "Cod numeric personal",
      "2750312060014",
      "Cod unic de inregistrare",
      "A INCASATORULUI ==>",
      "SUMELE INCASATE",
      "- lei -",
      "4950.00",
      "4500.00",
      "Suma incasata in litere: patrumiinouasutecincizeci lei",
      "Chitantele sunt valabile numai daca au aplicat pe verso",
      "sigiliul autoritatii administratiei publice locale."};
  for (const QString& field : fields) EXPECT_GE(text.count(field), 2) << field.toStdString();
  // pdftotext joins the spaced "T O T A L " row title into a word: the column
  // title and the row of each copy.
  EXPECT_GE(text.count("TOTAL"), 4);
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(text.count(QString("Grupa %1 - Doc %1").arg(n)), 2) << n;
    EXPECT_GE(text.count(QString("0702%1").arg(n, 2, 10, QChar('0'))), 2) << n;
  }
  EXPECT_FALSE(text.contains("Grupa 9"));

  // The picture of the page, for a person to look at.
  const QString shots = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(shots);
  witness::output("pdftoppm -png -r 110 -singlefile " + witness::shellQuote(file.toStdString()) + " " +
                  witness::shellQuote((shots + "/receipt").toStdString()));
  EXPECT_TRUE(QFile::exists(shots + "/receipt.png"));
}

TEST_F(ReceiptPdf, FontsAreEmbeddedSoRomanianLettersShowEverywhere) {
  const QString file = path("Chit1.pdf");
  ASSERT_TRUE(writePdf(layOutReceipt(testing::sampleReceipt(1)), file));
  const QString fonts =
      QString::fromStdString(witness::output("pdffonts " + witness::shellQuote(file.toStdString())));
  EXPECT_TRUE(fonts.contains("DejaVuSans")) << fonts.toStdString();
  for (const QString& line : fonts.split('\n').mid(2)) {
    if (line.trimmed().isEmpty()) continue;
    EXPECT_TRUE(line.contains(QRegularExpression("\\byes\\s+yes\\s+yes\\b|\\byes\\s+(yes|no)\\s+yes\\b")))
        << "embedded: " << line.toStdString();
  }
}

TEST_F(ReceiptPdf, CancelledReceiptsSummaryRunsOverPagesWithItsHeadings) {
  PlainRows rows({"DOCJUS", "INCANUME", "NUMEP", "SUMA", "ROL", "SATUL"});
  for (int i = 1; i <= 70; ++i) {
    rows.append({QString("Chit.AB nr.%1 / 0%2.03.2014").arg(i).arg(i % 9 + 1), "Măriuca",
                 QString("Titular %1").arg(i), QString::number(i * 10), QString::number(100 + i), "Șieu"});
  }
  const ReportDocument doc = layOutCancelledReceipts("Șieu-Măgheruș", rows);
  ASSERT_GE(doc.pages.size(), 2);
  const QString file = path("anulate.pdf");
  ASSERT_TRUE(writePdf(doc, file));
  const QString pages = QString::number(doc.pages.size());
  for (int page = 1; page <= doc.pages.size(); ++page) {
    const std::string range = QString("-f %1 -l %1").arg(page).toStdString();
    const QString text = squeezed(pdfText(file, range.c_str()));
    SCOPED_TRACE(page);
    EXPECT_EQ(text.contains("CENTRALIZATOR CHITANTE ANULATE"), page == 1);
    EXPECT_EQ(text.contains("Primaria Șieu-Măgheruș"), page == 1);
    for (const char* heading :
         {"Nr.", "crt.", "Document justificativ", "Operator", "Titular", "Suma", "ROL", "Localitatea"}) {
      EXPECT_TRUE(text.contains(heading)) << heading;
    }
    EXPECT_TRUE(text.contains(QString("Pagina %1 din %2").arg(page).arg(pages)));
  }
  const QString all = squeezed(pdfText(file));
  for (int i = 1; i <= 70; ++i) EXPECT_TRUE(all.contains(QString("Titular %1 ").arg(i))) << i;
  // 10 + 20 + ... + 700.
  EXPECT_TRUE(all.contains("TOTAL 24850.00"));
  witness::output("pdftoppm -png -r 80 -f 1 -l 1 -singlefile " + witness::shellQuote(file.toStdString()) +
                  " " +
                  witness::shellQuote(
                      (QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots/cancelled_receipts").toStdString()));
}

TEST_F(ReceiptPdf, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  const QString file = path("lipsa/Chit0.pdf");
  EXPECT_FALSE(writePdf(layOutReceipt(testing::sampleReceipt(1)), file));
  EXPECT_FALSE(QFile::exists(file));
}

}  // namespace
}  // namespace dajdor::report
