#include "widgets/hint_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace dajdor {
namespace {

TEST(HintStyle, HintsAreWhiteAndLastFiveSecondsUnlessAWidgetSaysOtherwise) {
  applyHintStyle(*qApp);
  EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(Qt::white));

  QWidget plain;
  plain.setToolTip("Inchide programul.");
  QWidget ownDuration;
  ownDuration.setToolTip("Diverse rapoarte.");
  ownDuration.setToolTipDuration(1000);
  for (QWidget* w : {&plain, &ownDuration}) {
    QHelpEvent event(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(w, &event);
    QToolTip::hideText();
  }
  EXPECT_EQ(plain.toolTipDuration(), 5000);
  EXPECT_EQ(ownDuration.toolTipDuration(), 1000);
}

}  // namespace
}  // namespace dajdor
