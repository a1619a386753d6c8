#include "widgets/colour_button_widget.h"

#include <QPainter>

namespace dajdor {

ColourButton::ColourButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAttribute(Qt::WA_Hover);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

void ColourButton::setColours(const ButtonColours& colours) {
  colours_ = colours;
  update();
}

QColor ColourButton::faceColour() const {
  if (isDown()) return colours_.pressed;
  if (isEnabled() && underMouse()) return colours_.hot;
  return colours_.normal;
}

QColor ColourButton::textColourOn(const QColor& face) {
  // Perceived brightness (ITU-R BT.601 weights).
  const int brightness = (299 * face.red() + 587 * face.green() + 114 * face.blue()) / 1000;
  return brightness < 150 ? QColor(Qt::white) : QColor(Qt::black);
}

QColor ColourButton::disabledTextColourOn(const QColor& face) {
  // Half-way from the face to the readable text colour: plainly dimmed, still
  // legible on dark and light faces alike.
  const QColor text = textColourOn(face);
  constexpr double kShare = 0.7;
  const auto mix = [&](int from, int to) { return int(from + (to - from) * kShare + 0.5); };
  return QColor(mix(face.red(), text.red()), mix(face.green(), text.green()), mix(face.blue(), text.blue()));
}

void ColourButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  const QColor face = faceColour();
  painter.fillRect(rect(), face);

  // Raised bevel; sunken while pressed.
  const QColor topLeft = isDown() ? colours_.shadow : colours_.light;
  const QColor bottomRight = isDown() ? colours_.light : colours_.shadow;
  painter.setPen(topLeft);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());

  QRect textRect = rect();
  if (isDown()) textRect.translate(1, 1);
  painter.setPen(isEnabled() ? textColourOn(face) : disabledTextColourOn(face));
  painter.setFont(font());
  painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());

  if (hasFocus()) {
    painter.setPen(QPen(textColourOn(face), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}

}  // namespace dajdor
