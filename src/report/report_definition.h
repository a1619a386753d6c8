// A banded report: what each band holds and how it is bound to the rows.
//
// Bands are laid out top to bottom: the title once, the page header on every
// page, a group header whenever the group field changes, one detail band per
// row, a group footer after each group, the summary after the last row, and the
// page footer at the foot of every page. Coordinates are millimetres, relative to
// the band's top-left corner inside the page margins.
#pragma once

#include "report/report_document.h"

#include <QMarginsF>

#include <optional>

namespace dajdor::report {

// How a row value is printed.
enum class FieldFormat {
  Text,    // as it comes
  Amount,  // a number with two decimals ("1234.50"), "" stays ""
  Whole,   // a number rounded to whole units
};

// A field element of a group footer or the summary prints this over the rows of
// its group, respectively the whole report; elsewhere it is ignored.
enum class Aggregate { None, Sum, Count };

// What happens to a text longer than its element.
enum class TextFit {
  Clip,       // one line, cut at the element's width
  Wrap,       // every line printed; the band grows to hold them
  WrapInBox,  // wrapped inside the element's height, the rest cut
};

struct BandElement {
  ItemKind kind = ItemKind::Text;
  QRectF rect;
  // A literal text; "{page}", "{pages}" and "{row}" (the row's number from 1)
  // are replaced. Used when `field` is empty.
  QString text;
  QString field;
  Aggregate aggregate = Aggregate::None;
  FieldFormat format = FieldFormat::Text;
  TextStyle style;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  TextFit fit = TextFit::Clip;
  double penWidth = 0.2;
  bool dashed = false;
};

struct Band {
  double height = 0;
  QList<BandElement> elements;

  bool isEmpty() const { return height <= 0 && elements.isEmpty(); }
  // Builders, so definitions read as a list of what the band prints.
  BandElement& text(const QRectF& rect, const QString& text, const TextStyle& style = {},
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
  BandElement& field(const QRectF& rect, const QString& field, const TextStyle& style = {},
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
  BandElement& sum(const QRectF& rect, const QString& field, const TextStyle& style = {},
                   Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
  BandElement& line(const QPointF& from, const QPointF& to, double penWidth = 0.2);
  BandElement& box(const QRectF& rect, double penWidth = 0.2);
};

struct GroupBands {
  QString field;  // rows come sorted by it; a change starts a new group
  Band header;
  Band footer;
};

struct ReportDefinition {
  QString name;  // the document's title (PDF metadata, preview caption)
  QSizeF pageSize{210, 297};
  QMarginsF margins{10, 10, 10, 10};
  Band title;
  Band pageHeader;
  std::optional<GroupBands> group;
  Band detail;
  Band summary;
  Band pageFooter;

  double bodyWidth() const { return pageSize.width() - margins.left() - margins.right(); }
};

}  // namespace dajdor::report
