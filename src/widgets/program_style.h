// The program's look over the platform style: a scroll bar whose thumb is the
// darkest part of it (Fusion paints the thumb lighter than its groove, so at the
// top of a page the groove below looked like the thumb and was dragged the wrong
// way), and a focus mark on combo boxes however they got the focus.
#pragma once

#include <QProxyStyle>

namespace dajdor {

class ProgramStyle : public QProxyStyle {
  Q_OBJECT
 public:
  using QProxyStyle::QProxyStyle;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};

}  // namespace dajdor
