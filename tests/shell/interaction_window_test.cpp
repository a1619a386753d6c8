#include "message_window_fixture.h"
#include "shell/message_window.h"
#include "shell/progress_window.h"
#include "shell/interaction_window.h"
#include "widgets/balloon_hint_widget.h"
#include "widgets/colour_button_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTextEdit>

namespace dajdor {
namespace {

struct InteractionFixture : ::testing::Test {
  InteractionFixture() {
    window.setObjectName("TGospodarieF");
    window.setGeometry(100, 100, 600, 400);
    rol = new QLineEdit(&window);
    rol->setObjectName("ROL");
    rol->setGeometry(20, 20, 100, 24);
    window.show();
    QApplication::setActiveWindow(&window);
  }
  ~InteractionFixture() override {
    if (BalloonHint* b = BalloonHint::current()) b->close();
  }
  QWidget window;
  QLineEdit* rol = nullptr;
  ProgressWindow progress{&window};
  WidgetInteraction interaction{progress};
};

TEST_F(InteractionFixture, QuestionsGoThroughTheMessageWindow) {
  struct Case {
    const char* press;
    bool confirmed;
  };
  for (const Case c : {Case{"DA", true}, Case{"NU", false}}) {
    QString caption;
    whenMessageShown([&](MessageWindow* m) {
      caption = m->windowTitle();
      QTest::mouseClick(m->button(c.press), Qt::LeftButton);
    });
    EXPECT_EQ(interaction.confirm("Stergere", "Stergeti rolul?"), c.confirmed) << c.press;
    EXPECT_EQ(caption, "Confirmare");
  }
}

TEST_F(InteractionFixture, AProblemPointsAtTheNamedControl) {
  interaction.problem("Rolul exista deja.", "ROL");
  BalloonHint* balloon = BalloonHint::current();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->message(), "Rolul exista deja.");
  EXPECT_EQ(balloon->tip().x(), rol->mapToGlobal(rol->rect().center()).x());
  EXPECT_EQ(shownMessageWindow(), nullptr);
}

TEST_F(InteractionFixture, AProblemWithoutItsControlOnScreenBecomesAMessage) {
  QString heading, text;
  whenMessageShown([&](MessageWindow* m) {
    heading = m->heading();
    text = m->body()->toPlainText();
    m->reject();
  });
  interaction.problem("Suma nu este valida.", "SUMA");
  EXPECT_EQ(heading, "Problema !");
  EXPECT_EQ(text, "Suma nu este valida.");
  EXPECT_EQ(BalloonHint::current(), nullptr);
}

TEST_F(InteractionFixture, ProgressBlocksTheActiveWindowUntilTheEnd) {
  interaction.progressStart("Generare debite", 250);
  EXPECT_TRUE(progress.isVisible());
  EXPECT_FALSE(window.isEnabled());
  EXPECT_EQ(progress.bar()->maximum(), 250);
  interaction.progressStep();
  interaction.progressStep(4);
  EXPECT_EQ(progress.bar()->value(), 5);
  interaction.progressEnd();
  EXPECT_FALSE(progress.isVisible());
  EXPECT_TRUE(window.isEnabled());
}

}  // namespace
}  // namespace dajdor
