#include "report/report_painter.h"

#include "report/report_text.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace dajdor::report {

namespace {

QRectF toDots(const QRectF& rect, double dotsPerMm) {
  return QRectF(rect.left() * dotsPerMm, rect.top() * dotsPerMm, rect.width() * dotsPerMm,
                rect.height() * dotsPerMm);
}

QPen itemPen(const ReportItem& item, double dotsPerMm) {
  QPen pen(Qt::black);
  pen.setWidthF(item.penWidth * dotsPerMm);
  pen.setStyle(item.dashed ? Qt::DashLine : Qt::SolidLine);
  return pen;
}

}  // namespace

void paintPage(QPainter& painter, const ReportPage& page, double dotsPerMm) {
  for (const ReportItem& item : page.items) {
    const QRectF area = toDots(item.rect, dotsPerMm);
    switch (item.kind) {
      case ItemKind::Line:
        painter.setPen(itemPen(item, dotsPerMm));
        painter.drawLine(area.topLeft(), area.bottomRight());
        break;
      case ItemKind::Box:
        painter.setPen(itemPen(item, dotsPerMm));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
        break;
      case ItemKind::Text:
        if (item.lines.isEmpty()) break;
        painter.setPen(Qt::black);
        painter.setFont(reportFont(item.style));
        // The lines were fitted by the layout; the area only clips what a
        // device's rounding would push out of it.
        painter.drawText(area, static_cast<int>(item.alignment), item.text());
        break;
    }
  }
}

bool renderReport(const ReportDocument& document, QPagedPaintDevice& device) {
  const QPageSize size(document.pageSize, QPageSize::Millimeter);
  const auto orientation =
      document.pageSize.width() > document.pageSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
  device.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  const double dotsPerMm = device.logicalDpiX() / 25.4;
  for (qsizetype index = 0; index < document.pages.size(); ++index) {
    if (index > 0 && !device.newPage()) return false;
    paintPage(painter, document.pages[index], dotsPerMm);
  }
  return painter.end();
}

}  // namespace dajdor::report
