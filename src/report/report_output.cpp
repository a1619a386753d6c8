#include "report/report_output.h"

#include "admin/rates.h"
#include "report/pdf_export.h"
#include "store/files.h"

namespace dajdor::report {

ReportOutput receiptOutput(const admin::Rates& rates) {
  if (rates.pdfReceipts()) return ReportOutput::Pdf;
  return rates.previewReceipts() ? ReportOutput::Preview : ReportOutput::Printer;
}

bool deliverReport(const ReportDocument& document, ReportOutput output, const QString& pdfDir,
                   const QString& pdfPrefix, ReportPresenter& presenter) {
  switch (output) {
    case ReportOutput::Preview:
      return presenter.preview(document);
    case ReportOutput::Printer:
      return presenter.print(document);
    case ReportOutput::Pdf:
      break;
  }
  const QString path = TempFileName(pdfDir, pdfPrefix, QStringLiteral(".pdf"));
  return !path.isEmpty() && writePdf(document, path) && presenter.open(path);
}

}  // namespace dajdor::report
