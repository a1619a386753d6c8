#include "report/report_definition.h"

namespace dajdor::report {

BandElement& Band::text(const QRectF& rect, const QString& text, const TextStyle& style,
                        Qt::Alignment alignment) {
  BandElement element;
  element.rect = rect;
  element.text = text;
  element.style = style;
  element.alignment = alignment;
  elements.append(element);
  return elements.last();
}

BandElement& Band::field(const QRectF& rect, const QString& field, const TextStyle& style,
                         Qt::Alignment alignment) {
  BandElement& element = text(rect, QString(), style, alignment);
  element.field = field;
  return element;
}

BandElement& Band::sum(const QRectF& rect, const QString& field, const TextStyle& style,
                       Qt::Alignment alignment) {
  BandElement& element = this->field(rect, field, style, alignment);
  element.aggregate = Aggregate::Sum;
  return element;
}

BandElement& Band::line(const QPointF& from, const QPointF& to, double penWidth) {
  BandElement element;
  element.kind = ItemKind::Line;
  element.rect = QRectF(from, to);
  element.penWidth = penWidth;
  elements.append(element);
  return elements.last();
}

BandElement& Band::box(const QRectF& rect, double penWidth) {
  BandElement element;
  element.kind = ItemKind::Box;
  element.rect = rect;
  element.penWidth = penWidth;
  elements.append(element);
  return elements.last();
}

}  // namespace dajdor::report
