#include "report/pdf_export.h"

#include "report/report_painter.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QUrl>

namespace dajdor::report {

bool writePdf(const ReportDocument& document, const QString& path) {
  const bool existed = QFileInfo::exists(path);
  bool written = false;
  {
    QPdfWriter writer(path);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Dajdor"));
    writer.setResolution(600);
    written = renderReport(document, writer);
  }
  // QPdfWriter reports a file it could not open only through the painter. Only a
  // file this call created is taken away again; one that was there stays.
  written = written && QFileInfo(path).size() > 0;
  if (!written && !existed) QFile::remove(path);
  return written;
}

bool openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace dajdor::report
