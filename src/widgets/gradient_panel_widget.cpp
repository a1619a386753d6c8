#include "widgets/gradient_panel_widget.h"

#include <QLinearGradient>
#include <QPainter>

namespace dajdor {

GradientPanel::GradientPanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientPanel::setColours(const QColor& from, const QColor& to) {
  from_ = from;
  to_ = to;
  update();
}

void GradientPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
  gradient.setColorAt(0, from_);
  gradient.setColorAt(1, to_);
  painter.fillRect(rect(), gradient);
}

}  // namespace dajdor
