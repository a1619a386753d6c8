// A report laid out as data: pages of positioned texts, lines and boxes, in
// millimetres from each page's top-left corner. Layout produces it, one painter
// routine draws it on any device (preview, printer, PDF).
#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace dajdor::report {

struct TextStyle {
  QString family = QStringLiteral("DejaVu Sans");
  double pointSize = 9;
  bool bold = false;
  bool italic = false;
};

enum class ItemKind { Text, Line, Box };

struct ReportItem {
  ItemKind kind = ItemKind::Text;
  // Text and Box: the area. Line: from topLeft() to bottomRight().
  QRectF rect;
  // Text only: already fitted to the area, one entry per printed line.
  QStringList lines;
  TextStyle style;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  double penWidth = 0.2;  // millimetres, Line and Box
  bool dashed = false;

  QString text() const { return lines.join(QLatin1Char('\n')); }
};

struct ReportPage {
  QList<ReportItem> items;

  // The texts of the page top to bottom, left to right within a row: what a
  // reader of the page sees.
  QStringList texts() const;
};

struct ReportDocument {
  QString title;
  QSizeF pageSize{210, 297};  // millimetres
  QList<ReportPage> pages;
};

}  // namespace dajdor::report
