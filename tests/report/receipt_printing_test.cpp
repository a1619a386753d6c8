// Where a receipt goes by the town hall's settings, and what the cashier is told
// when it cannot go out.
#include "report/receipt_printing.h"

#include "admin/rates.h"
#include "report/receipt_fixture.h"
#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace dajdor::report {
namespace {

struct RecordingPresenter final : ReportPresenter {
  bool preview(const ReportDocument& document) override {
    previewed.append(document.title);
    return succeed;
  }
  bool print(const ReportDocument& document) override {
    printed.append(document.title);
    return succeed;
  }
  bool open(const QString& path) override {
    opened.append(path);
    return succeed;
  }
  bool succeed = true;
  QStringList previewed, printed, opened;
};

admin::Rates receiptSettings(bool pdf, bool preview) {
  admin::Rates rates;
  rates.setOption("FORMATPDF", pdf);
  rates.setOption("PREVIEWL", preview);
  return rates;
}

const QString kNotReady =
    "Imprimanta nu este pregatita sau nu este instalata!\rIntrati la istoric chitante si listati din nou!";

TEST(ReceiptPrinting, SettingsChooseThePdfThePreviewOrThePrinter) {
  struct Case {
    bool pdf;
    bool preview;
    ReportOutput output;
  };
  const Case cases[] = {{true, true, ReportOutput::Pdf},
                        {true, false, ReportOutput::Pdf},
                        {false, true, ReportOutput::Preview},
                        {false, false, ReportOutput::Printer}};
  for (const Case& c : cases) {
    SCOPED_TRACE(QString("pdf %1 preview %2").arg(c.pdf).arg(c.preview).toStdString());
    QTemporaryDir dir;
    RecordingPresenter presenter;
    ScriptedInteraction interaction;
    const admin::Rates rates = receiptSettings(c.pdf, c.preview);
    EXPECT_EQ(receiptOutput(rates), c.output);
    EXPECT_TRUE(printReceipt(testing::sampleReceipt(2), rates, dir.path(), presenter, interaction));
    EXPECT_TRUE(interaction.messages.isEmpty());
    EXPECT_EQ(presenter.previewed.size(), c.output == ReportOutput::Preview ? 1 : 0);
    EXPECT_EQ(presenter.printed.size(), c.output == ReportOutput::Printer ? 1 : 0);
    if (c.output == ReportOutput::Pdf) {
      // The first free "Chit<n>.pdf" of the folder, written before it is opened.
      ASSERT_EQ(presenter.opened, QStringList{dir.filePath("Chit0.pdf")});
      EXPECT_GT(QFile(presenter.opened[0]).size(), 1000);
    } else {
      EXPECT_TRUE(presenter.opened.isEmpty());
    }
  }
}

TEST(ReceiptPrinting, ASecondPdfTakesTheNextFreeNameWhileTheFirstIsKept) {
  QTemporaryDir dir;
  RecordingPresenter presenter;
  ScriptedInteraction interaction;
  const admin::Rates rates = receiptSettings(true, false);
  QFile held(dir.filePath("Chit0.pdf"));
  ASSERT_TRUE(held.open(QIODevice::WriteOnly));
  held.write("held");
  held.close();
  QFile::setPermissions(held.fileName(), QFile::ReadOwner);
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_TRUE(printReceipt(testing::sampleReceipt(1), rates, dir.path(), presenter, interaction));
  ASSERT_EQ(presenter.opened.size(), 1);
  EXPECT_TRUE(QFile(presenter.opened[0]).size() > 1000);
}

TEST(ReceiptPrinting, AFailingOutputTellsTheCashierToReprintFromTheHistory) {
  struct Case {
    bool pdf;
    bool preview;
    bool presenterWorks;
    bool folderExists;
  };
  const Case cases[] = {{false, false, false, true},  // no printer
                        {false, true, false, true},   // preview could not paint
                        {true, false, false, true},   // no application opens PDFs
                        {true, false, true, false}};  // the PDF cannot be written
  for (const Case& c : cases) {
    QTemporaryDir dir;
    RecordingPresenter presenter;
    presenter.succeed = c.presenterWorks;
    ScriptedInteraction interaction;
    const QString folder = c.folderExists ? dir.path() : dir.filePath("lipsa");
    EXPECT_FALSE(printReceipt(testing::sampleReceipt(1), receiptSettings(c.pdf, c.preview), folder, presenter,
                              interaction));
    ASSERT_EQ(interaction.messages.size(), 1);
    EXPECT_EQ(interaction.messages[0].title, "Listare chitanta");
    EXPECT_EQ(interaction.messages[0].text, kNotReady);
    EXPECT_EQ(interaction.messages[0].kind, MessageKind::Error);
  }
}

TEST(ReceiptPrinting, AReceiptWithoutLinesPrintsNothing) {
  QTemporaryDir dir;
  RecordingPresenter presenter;
  ScriptedInteraction interaction;
  EXPECT_FALSE(printReceipt(testing::sampleReceipt(0), receiptSettings(true, true), dir.path(), presenter,
                            interaction));
  ASSERT_EQ(interaction.messages.size(), 1);
  EXPECT_EQ(interaction.messages[0].title, "Listare chitanta");
  EXPECT_EQ(interaction.messages[0].text, "Chitanta nu contine nimic!");
  EXPECT_TRUE(presenter.opened.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace dajdor::report
