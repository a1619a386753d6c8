// A flat push button in given colours: face, face while pressed, face under the
// mouse, and the light and shadow edges of its bevel.
#pragma once

#include <QColor>
#include <QPushButton>

namespace dajdor {

struct ButtonColours {
  QColor normal;
  QColor pressed;
  QColor hot;
  QColor light;
  QColor shadow;
};

class ColourButton : public QPushButton {
  Q_OBJECT
 public:
  explicit ColourButton(const QString& text, QWidget* parent = nullptr);

  void setColours(const ButtonColours& colours);
  // The face colour for the button's present state.
  QColor faceColour() const;
  // Readable text on the given face: white on dark faces, black on light ones.
  static QColor textColourOn(const QColor& face);
  // The text of a disabled button: dimmed towards the face, but readable.
  static QColor disabledTextColourOn(const QColor& face);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ButtonColours colours_{QColor(0xD4D0C8), QColor(0xA0A0A0), QColor(0xE8E8E8), Qt::white, Qt::black};
};

}  // namespace dajdor
