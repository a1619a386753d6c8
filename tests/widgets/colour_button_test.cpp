#include "widgets/bring_to_front.h"
#include "widgets/colour_button_widget.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <cmath>

namespace dajdor {
namespace {

TEST(ColourButton, FaceFollowsTheStateAndTextStaysReadable) {
  ColourButton button("DA");
  button.setColours({QColor(0x3966A8), QColor(0x000093), QColor(0x7196CE), QColor(0xECF1F9), Qt::black});
  button.resize(73, 26);
  button.show();
  EXPECT_EQ(button.faceColour(), QColor(0x3966A8));
  button.setDown(true);
  EXPECT_EQ(button.faceColour(), QColor(0x000093));
  const QImage pressed = button.grab().toImage();
  EXPECT_EQ(pressed.pixelColor(5, 13), QColor(0x000093));
  EXPECT_EQ(pressed.pixelColor(0, 0), Qt::black);  // sunken: shadow on the top-left edge
  button.setDown(false);
  const QImage raised = button.grab().toImage();
  EXPECT_EQ(raised.pixelColor(0, 0), QColor(0xECF1F9));

  struct Case {
    QColor face;
    QColor text;
  };
  const Case cases[] = {{QColor(0x2C291B), Qt::white}, {QColor(0xFF0000), Qt::white},
                        {QColor(0x0000FF), Qt::white}, {QColor(0xFF9B9B), Qt::black},
                        {QColor(0xDFDFFF), Qt::black}};
  for (const Case& c : cases) EXPECT_EQ(ColourButton::textColourOn(c.face), c.text) << c.face.name().toStdString();
}

// WCAG contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ColourButton, DisabledTextIsDimmedButReadable) {
  // The main window's blue, a dark and a light face.
  for (const QColor face : {QColor(0x3966A8), QColor(0x2C291B), QColor(0xD4D0C8)}) {
    ColourButton button("Administrare");
    button.setColours({face, face.darker(), face.lighter(), Qt::white, Qt::black});
    button.resize(132, 46);
    button.setEnabled(false);
    const QColor text = ColourButton::disabledTextColourOn(face);
    EXPECT_GE(contrast(text, face), 3.0) << face.name().toStdString();
    EXPECT_LT(contrast(text, face), contrast(ColourButton::textColourOn(face), face)) << face.name().toStdString();
    // The button paints its caption in that colour.
    const QImage image = button.grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y)
      for (int x = 0; x < image.width() && !found; ++x) found = image.pixelColor(x, y) == text;
    EXPECT_TRUE(found) << face.name().toStdString();
  }
}

TEST(BringToFront, RestoresAMinimisedWindowKeepingItsMaximisedState) {
  QWidget window;
  window.showMaximized();
  window.setWindowState(window.windowState() | Qt::WindowMinimized);
  ASSERT_TRUE(window.isMinimized());
  bringToFront(&window);
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isMaximized());
  EXPECT_TRUE(window.isVisible());

  QWidget hidden;
  bringToFront(&hidden);
  EXPECT_TRUE(hidden.isVisible());
}

}  // namespace
}  // namespace dajdor
