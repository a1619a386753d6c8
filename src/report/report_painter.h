// The one routine that draws a laid-out report; the preview, the printer and the
// PDF writer all go through it.
#pragma once

#include "report/report_document.h"

class QPainter;
class QPagedPaintDevice;

namespace dajdor::report {

// Draws one page with the painter's origin at the page's top-left corner.
void paintPage(QPainter& painter, const ReportPage& page, double dotsPerMm);

// Sets the device to the document's page size without margins and draws every
// page. False when the device cannot be painted on.
bool renderReport(const ReportDocument& document, QPagedPaintDevice& device);

}  // namespace dajdor::report
