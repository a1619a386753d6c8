#include "widgets/bring_to_front.h"
#include "widgets/colour_button_widget.h"

#include <gtest/gtest.h>

#include <QTest>

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
