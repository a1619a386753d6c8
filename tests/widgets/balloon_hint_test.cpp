#include "widgets/balloon_hint_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

namespace dajdor {
namespace {

struct BalloonFixture : ::testing::Test {
  BalloonFixture() {
    window.setGeometry(100, 100, 500, 300);
    edit = new QLineEdit(&window);
    edit->setObjectName("ROL");
    edit->setGeometry(40, 60, 120, 24);
    other = new QLineEdit(&window);
    other->setGeometry(40, 120, 120, 24);
    window.show();
  }
  ~BalloonFixture() override {
    if (BalloonHint* b = BalloonHint::current()) b->close();
    QCoreApplication::processEvents();
  }
  QWidget window;
  QLineEdit* edit = nullptr;
  QLineEdit* other = nullptr;
};

TEST_F(BalloonFixture, ProblemBalloonPointsAtTheControlForFiveSecondsWithoutBlocking) {
  ShowProblem("Numarul de rol lipseste.", edit);
  BalloonHint* balloon = BalloonHint::current();
  ASSERT_NE(balloon, nullptr);
  EXPECT_TRUE(balloon->isVisible());
  EXPECT_EQ(balloon->title(), "Problema !");
  EXPECT_EQ(balloon->message(), "Numarul de rol lipseste.");

  const QRect control(edit->mapToGlobal(QPoint(0, 0)), edit->size());
  EXPECT_EQ(balloon->tip().x(), control.center().x());
  EXPECT_GE(balloon->tip().y(), control.top());
  EXPECT_LE(balloon->tip().y(), control.bottom());
  EXPECT_FALSE(balloon->pointsDown());
  EXPECT_TRUE(balloon->geometry().contains(balloon->tip()));

  const QString folder = QString(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(folder);
  balloon->grab().save(folder + "/balloon_hint.png");

  EXPECT_TRUE(balloon->hideTimer().isActive());
  EXPECT_TRUE(balloon->hideTimer().isSingleShot());
  EXPECT_EQ(balloon->hideTimer().interval(), 5000);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(balloon->testAttribute(Qt::WA_ShowModal) || balloon->isModal());
}

TEST_F(BalloonFixture, ANewBalloonReplacesTheOldAndAClickDismisses) {
  ShowProblem("Primul", edit);
  QPointer<BalloonHint> first = BalloonHint::current();
  ShowProblem("Al doilea", other);
  QCoreApplication::processEvents();
  EXPECT_TRUE(first.isNull() || !first->isVisible());
  QPointer<BalloonHint> second = BalloonHint::current();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->message(), "Al doilea");

  QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(20, second->height() / 2));
  QCoreApplication::processEvents();
  EXPECT_TRUE(second.isNull() || !second->isVisible());
  EXPECT_EQ(BalloonHint::current(), nullptr);
}

TEST_F(BalloonFixture, AtTheBottomOfTheScreenTheBalloonStandsAbove) {
  const QRect screen = window.screen()->availableGeometry();
  window.move(screen.left() + 50, screen.bottom() - window.frameGeometry().height() + 1);
  edit->move(40, window.height() - edit->height() - 2);
  QCoreApplication::processEvents();

  ShowProblem("Jos", edit);
  BalloonHint* balloon = BalloonHint::current();
  ASSERT_NE(balloon, nullptr);
  const QRect control(edit->mapToGlobal(QPoint(0, 0)), edit->size());
  EXPECT_TRUE(balloon->pointsDown());
  EXPECT_LE(balloon->geometry().bottom(), control.top() + 2);
  EXPECT_LE(balloon->geometry().bottom(), screen.bottom());
  EXPECT_EQ(balloon->tip().x(), control.center().x());
}

TEST_F(BalloonFixture, NoControlNoBalloon) {
  ShowProblem("Nimic", nullptr);
  EXPECT_EQ(BalloonHint::current(), nullptr);
}

}  // namespace
}  // namespace dajdor
