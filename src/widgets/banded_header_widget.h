// A grid header whose neighbouring columns can share a band: the band's text
// spans them on the upper half, each column's own caption sits below it.
// Columns without a band take the full height for their caption.
#pragma once

#include <QHeaderView>
#include <QStringList>

namespace dajdor {

class BandedHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit BandedHeader(QWidget* parent = nullptr);

  // The band of every logical column (empty: none); neighbours with the same
  // text form one band.
  void setBands(const QStringList& bands);
  QString band(int logicalIndex) const { return bands_.value(logicalIndex); }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  QSize sectionSizeFromContents(int logicalIndex) const override;

 private:
  // The visual range of the band around `logicalIndex`.
  QPair<int, int> bandSpan(int logicalIndex) const;
  void paintCell(QPainter* painter, const QRect& rect, const QString& text, int logicalIndex) const;

  QStringList bands_;
};

}  // namespace dajdor
