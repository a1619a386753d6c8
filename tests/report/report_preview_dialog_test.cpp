// The preview window shows the laid-out pages through the same painter routine
// as the PDF; printing without a printer is reported, not pretended.
#include "report/report_preview_dialog.h"

#include "report/receipt_fixture.h"
#include "report/receipt_report.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTimer>

namespace dajdor::report {
namespace {

TEST(ReportPreviewDialog, ShowsTheReceiptPageAndClosesWithoutPrinting) {
  QString seenTitle;
  QString seenName;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seenTitle = dialog->windowTitle();
    seenName = dialog->objectName();
    dialog->resize(900, 1000);
    QApplication::processEvents();
    const QString shots = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
    QDir().mkpath(shots);
    dialog->grab().save(shots + "/report_preview.png");
    dialog->reject();
  });
  EXPECT_TRUE(previewReport(layOutReceipt(testing::sampleReceipt(3)), nullptr));
  EXPECT_EQ(seenTitle, "Chitanta");
  EXPECT_EQ(seenName, "ReportPreview");
}

TEST(ReportPreviewDialog, PrintingWithoutAPrinterFails) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
  EXPECT_FALSE(printReport(layOutReceipt(testing::sampleReceipt(1))));
}

}  // namespace
}  // namespace dajdor::report
