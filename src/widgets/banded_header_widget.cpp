#include "widgets/banded_header_widget.h"

#include <algorithm>

#include <QPainter>
#include <QStyleOptionHeader>

namespace dajdor {

BandedHeader::BandedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setDefaultAlignment(Qt::AlignCenter);
}

void BandedHeader::setBands(const QStringList& bands) {
  bands_ = bands;
  updateGeometries();
  viewport()->update();
}

QPair<int, int> BandedHeader::bandSpan(int logicalIndex) const {
  const QString text = band(logicalIndex);
  int first = visualIndex(logicalIndex);
  int last = first;
  while (first > 0 && band(this->logicalIndex(first - 1)) == text) --first;
  while (last + 1 < count() && band(this->logicalIndex(last + 1)) == text) ++last;
  return {first, last};
}

void BandedHeader::paintCell(QPainter* painter, const QRect& rect, const QString& text, int logicalIndex) const {
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  option.text = text;
  option.textAlignment = Qt::AlignCenter;
  option.position = QStyleOptionHeader::Middle;
  if (sortIndicatorSection() == logicalIndex && isSortIndicatorShown())
    option.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                        : QStyleOptionHeader::SortUp;
  style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

void BandedHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const QString caption = model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString()
                                  : QString();
  if (band(logicalIndex).isEmpty()) {
    paintCell(painter, rect, caption, logicalIndex);
    return;
  }
  const int half = rect.height() / 2;
  const auto [first, last] = bandSpan(logicalIndex);
  const int left = sectionViewportPosition(this->logicalIndex(first));
  const int right = sectionViewportPosition(this->logicalIndex(last)) + sectionSize(this->logicalIndex(last));
  // The whole band under this section's clip, so its text is centred over all of its columns.
  painter->save();
  painter->setClipRect(QRect(rect.left(), rect.top(), rect.width(), half));
  paintCell(painter, QRect(left, rect.top(), right - left, half), band(logicalIndex), -1);
  painter->restore();
  paintCell(painter, QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), caption,
            logicalIndex);
}

QSize BandedHeader::sectionSizeFromContents(int logicalIndex) const {
  QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
  // Two lines only when some column stands under a band.
  if (std::all_of(bands_.begin(), bands_.end(), [](const QString& b) { return b.isEmpty(); })) return size;
  const int line = fontMetrics().height() + 8;
  size.setHeight(std::max(size.height(), 2 * line));
  return size;
}

}  // namespace dajdor
