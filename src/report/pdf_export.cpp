#include "report/pdf_export.h"

#include "report/report_painter.h"

#include <QDesktopServices>
#include <QFile>
#include <QPdfWriter>
#include <QUrl>

namespace dajdor::report {

bool writePdf(const ReportDocument& document, const QString& path) {
  bool written = false;
  {
    QPdfWriter writer(path);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Dajdor"));
    writer.setResolution(600);
    written = renderReport(document, writer);
  }
  // QPdfWriter reports a file it could not open only through the painter.
  written = written && QFile(path).size() > 0;
  if (!written) QFile::remove(path);
  return written;
}

bool openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace dajdor::report
