// Where a finished report goes: a PDF opened with the desktop's application, the
// preview window, or straight to the printer.
#pragma once

#include "report/report_document.h"

#include <QString>

namespace dajdor::admin {
class Rates;
}

namespace dajdor::report {

enum class ReportOutput { Pdf, Preview, Printer };

// A receipt is a PDF when "FORMATPDF" is on, otherwise previewed when "PREVIEWL"
// is on, otherwise printed.
ReportOutput receiptOutput(const admin::Rates& rates);

// The screen and the printer, behind an interface so that domain operations
// producing reports are tested without either.
class ReportPresenter {
 public:
  virtual ~ReportPresenter() = default;
  virtual bool preview(const ReportDocument& document) = 0;
  virtual bool print(const ReportDocument& document) = 0;
  virtual bool open(const QString& path) = 0;
};

// For Pdf the file is the first free `pdfDir`/`pdfPrefix`<n>.pdf and it is opened
// once written. False when any step fails.
bool deliverReport(const ReportDocument& document, ReportOutput output, const QString& pdfDir,
                   const QString& pdfPrefix, ReportPresenter& presenter);

}  // namespace dajdor::report
