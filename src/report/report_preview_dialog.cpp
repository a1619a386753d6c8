#include "report/report_preview_dialog.h"

#include "report/pdf_export.h"
#include "report/report_painter.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace dajdor::report {

namespace {

// The document's own page and no printer margins: the layout already holds them.
void preparePrinter(QPrinter& printer, const ReportDocument& document) {
  printer.setFullPage(true);
  printer.setDocName(document.title);
}

}  // namespace

bool previewReport(const ReportDocument& document, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  preparePrinter(printer, document);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("ReportPreview"));
  dialog.setWindowTitle(document.title);
  bool painted = true;
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&](QPrinter* target) { painted = renderReport(document, *target) && painted; });
  dialog.exec();
  return painted;
}

bool printReport(const ReportDocument& document) {
  if (QPrinterInfo::defaultPrinter().isNull()) return false;
  QPrinter printer(QPrinter::HighResolution);
  preparePrinter(printer, document);
  return printer.isValid() && renderReport(document, printer);
}

bool DesktopReportPresenter::open(const QString& path) { return openWithDesktop(path); }

}  // namespace dajdor::report
