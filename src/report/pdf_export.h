// PDF files of laid-out reports, and opening a produced file with the desktop's
// application for it.
#pragma once

#include "report/report_document.h"

#include <QString>

namespace dajdor::report {

// Writes the document; false when the file cannot be written (a partial file it
// created is removed).
bool writePdf(const ReportDocument& document, const QString& path);

// Opens the file with the application the desktop associates with it.
bool openWithDesktop(const QString& path);

}  // namespace dajdor::report
