// The preview window and the printer for laid-out reports, and the presenter
// that hands reports to them (and PDFs to the desktop).
#pragma once

#include "report/report_output.h"

class QWidget;

namespace dajdor::report {

// Shows the document in the print preview window (modal); the user may print
// from it. True once the window has been shown.
bool previewReport(const ReportDocument& document, QWidget* parent);
// Prints the document on the default printer; false when there is none or it
// refuses the job.
bool printReport(const ReportDocument& document);

class DesktopReportPresenter final : public ReportPresenter {
 public:
  explicit DesktopReportPresenter(QWidget* parent) : parent_(parent) {}
  bool preview(const ReportDocument& document) override { return previewReport(document, parent_); }
  bool print(const ReportDocument& document) override { return printReport(document); }
  bool open(const QString& path) override;

 private:
  QWidget* parent_;
};

}  // namespace dajdor::report
