#include "message_window_fixture.h"
#include "shell/message_window.h"
#include "widgets/colour_button_widget.h"
#include "widgets/gradient_panel_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QTimer>

namespace dajdor {
namespace {

const QString kBoldOn(QChar(0x01));
const QString kBoldOff(QChar(0x02));

QStringList shownCaptions(MessageWindow* window) {
  QStringList captions;
  for (const char* caption : {"DA", "NU", "RENUNT", "OK"}) {
    if (!window->button(caption)->isHidden()) captions << caption;
  }
  return captions;
}

TEST(MessageWindow, TwoCentredLinesWithOneOkAnsweringOne) {
  QStringList texts;
  QList<Qt::Alignment> alignments;
  QStringList captions;
  int okLeft = -1;
  QString caption, heading;
  whenMessageShown([&](MessageWindow* window) {
    caption = window->windowTitle();
    heading = window->heading();
    captions = shownCaptions(window);
    okLeft = window->button("OK")->x();
    for (QTextBlock b = window->body()->document()->begin(); b.isValid(); b = b.next()) {
      texts << b.text();
      alignments << b.blockFormat().alignment();
    }
    QTest::mouseClick(window->button("OK"), Qt::LeftButton);
  });

  EXPECT_EQ(Mesaj("Rezultat", "Prima linie\rA doua linie", 4, 2), 1);
  EXPECT_EQ(caption, "Informatie");
  EXPECT_EQ(heading, "Rezultat");
  EXPECT_EQ(texts, QStringList({"Prima linie", "A doua linie"}));
  ASSERT_EQ(alignments.size(), 2);
  for (Qt::Alignment a : alignments) EXPECT_TRUE(a & Qt::AlignHCenter);
  EXPECT_EQ(captions, QStringList({"OK"}));
  EXPECT_EQ(okLeft, 134);
}

TEST(MessageWindow, EachButtonAnswersItsCode) {
  struct Case {
    int buttons;
    const char* press;
    int answer;
    QStringList shown;
    QList<int> lefts;
  };
  const QList<Case> cases = {
      {3, "DA", 6, {"DA", "NU"}, {65, 203}},
      {3, "NU", 7, {"DA", "NU"}, {65, 203}},
      {12, "RENUNT", 2, {"RENUNT", "OK"}, {65, 203}},
      {12, "OK", 1, {"RENUNT", "OK"}, {65, 203}},
      {11, "RENUNT", 2, {"DA", "NU", "RENUNT"}, {30, 133, 236}},
      {15, "OK", 1, {"DA", "NU", "RENUNT", "OK"}, {10, 93, 176, 259}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString("%1 %2").arg(c.buttons).arg(c.press).toStdString());
    QStringList shown;
    QList<int> lefts;
    whenMessageShown([&](MessageWindow* window) {
      shown = shownCaptions(window);
      for (const QString& s : shown) lefts << window->button(s)->x();
      QTest::mouseClick(window->button(c.press), Qt::LeftButton);
    });
    EXPECT_EQ(Mesaj("Intrebare", "Continuati?", c.buttons, 3), c.answer);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(lefts, c.lefts);
  }
}

TEST(MessageWindow, KeyboardAnswers) {
  // Enter presses the focused button, which is the first one shown.
  whenMessageShown([](MessageWindow* window) { QTest::keyClick(window->focusWidget(), Qt::Key_Return); });
  EXPECT_EQ(Mesaj("Stergere", "Stergeti rolul?", 3, 0), 6);

  whenMessageShown([](MessageWindow* window) {
    window->button("NU")->setFocus();
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(Mesaj("Stergere", "Stergeti rolul?", 3, 0), 7);
}

TEST(MessageWindow, EscapeAndCloseBoxAnswerCancel) {
  whenMessageShown([](MessageWindow* window) { QTest::keyClick(window, Qt::Key_Escape); });
  EXPECT_EQ(Mesaj("Stergere", "Stergeti rolul?", 3, 0), 2);

  whenMessageShown([](MessageWindow* window) { window->close(); });
  EXPECT_EQ(Mesaj("Stergere", "Stergeti rolul?", 3, 0), 2);
}

TEST(MessageWindow, NoButtonsAnswersCancelWithoutShowing) {
  bool appeared = false;
  QTimer guard;  // would end a wrongly shown window so the test cannot hang
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (MessageWindow* window = shownMessageWindow()) {
      appeared = true;
      window->reject();
    }
  });
  guard.start(0);
  EXPECT_EQ(Mesaj("Eroare", "Nu se vede", 0, 1), 2);
  QCoreApplication::processEvents();
  EXPECT_FALSE(appeared);
  EXPECT_EQ(shownMessageWindow(), nullptr);
}

TEST(MessageWindow, BoldMarkersAreRemovedAndApplied) {
  MessageWindow window("Plata", "Total " + kBoldOn + "100 lei" + kBoldOff + " de plata", 4, 2);
  const QTextDocument* doc = window.body()->document();
  EXPECT_EQ(doc->toPlainText(), "Total 100 lei de plata");

  QStringList bold, plain;
  for (QTextBlock::iterator it = doc->begin().begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    (f.charFormat().fontWeight() >= QFont::Bold ? bold : plain) << f.text();
  }
  EXPECT_EQ(bold, QStringList({"100 lei"}));
  EXPECT_EQ(plain, QStringList({"Total ", " de plata"}));
}

TEST(MessageWindow, EachLineOfAMessageStaysWholeAndButtonsKeepTheirPlaces) {
  const QString texts[] = {
      "Numele este ADMIN si parola este 482.\rPuteti modifica parola de la Utilitare > Contul meu",
      "Nivelul impozitelor se calculeaza inmultind valoarea din lege\r"
      "cu coeficientul stabilit de consiliul local si cu\rcoeficientii de zona si rang.",
      "Continuati?",
  };
  for (const QString& text : texts) {
    MessageWindow window("Dajdor", text, 4, 2);
    window.show();
    QApplication::processEvents();
    for (QTextBlock b = window.body()->document()->begin(); b.isValid(); b = b.next())
      EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
    EXPECT_LE(window.width(), 720);
    const ColourButton* ok = window.button("OK");
    // The button sits where the 342-pixel band puts it, in the middle of the window.
    EXPECT_EQ(ok->x(), 134);
    EXPECT_LE(std::abs(ok->mapTo(&window, QPoint(0, 0)).x() + ok->width() / 2 - window.width() / 2), 1);
  }
}

TEST(MessageWindow, EveryShowingIsInTheMiddleOfTheScreenWhateverAskedForIt) {
  QWidget bar;  // like the main window: a strip across the top of the screen
  bar.setGeometry(0, 0, 600, 60);
  bar.show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QList<QPoint> centres;
  for (QWidget* parent : {&bar, static_cast<QWidget*>(nullptr)}) {
    for (const char* text : {"Continuati?", "Prima linie\rA doua linie\rA treia linie\rA patra linie"}) {
      whenMessageShown([&](MessageWindow* window) {
        centres << window->geometry().center();
        window->reject();
      });
      MessageWindow::ask("Dajdor", text, 3, 3, parent);
    }
  }
  ASSERT_EQ(centres.size(), 4);
  for (const QPoint& c : centres) {
    EXPECT_EQ(c, centres.first());
    // The frame's few pixels aside.
    EXPECT_LE(std::abs(c.x() - screen.center().x()), 4);
    EXPECT_LE(std::abs(c.y() - screen.center().y()), 4);
  }
}

TEST(MessageWindow, EachKindDrawsItsColours) {
  // Also leaves a picture of each kind next to the build for a look by eye.
  const QString folder = QString(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(folder);
  struct Case {
    int kind;
    const char* file;
    const char* text;
  };
  const Case cases[] = {
      {0, "message_warning.png", "Stergeti rolul 125 din satul\rVale Mare?"},
      {1, "message_error.png", "Baza de date /srv/date\rNU este accesibila sau este incompleta!\r"
                               "Verificati conexiunea si baza si reporniti programul!"},
      {2, "message_information.png", "S-au generat debitele pentru\r\x01" "1250" "\x02 contribuabili."},
      {3, "message_confirmation.png", "Anulati chitanta nr. 4521?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const int buttons = c.kind == 0 || c.kind == 3 ? 3 : 4;
    MessageWindow window("Dajdor", QString::fromLatin1(c.text), buttons, c.kind);
    window.show();
    const QImage image = window.grab().toImage();
    image.save(folder + "/" + c.file);

    const MessageStyle& style = messageStyle(messageKindFromValue(c.kind));
    const auto near = [](QRgb actual, unsigned expected) {
      return std::abs(qRed(actual) - int(expected >> 16 & 0xFF)) <= 8 &&
             std::abs(qGreen(actual) - int(expected >> 8 & 0xFF)) <= 8 &&
             std::abs(qBlue(actual) - int(expected & 0xFF)) <= 8;
    };
    const auto* header = window.findChild<GradientPanel*>("header");
    const auto* band = window.findChild<GradientPanel*>("band");
    const int right = image.width() - 2;
    EXPECT_TRUE(near(image.pixel(right, header->y()), style.headerFrom));
    EXPECT_TRUE(near(image.pixel(right, header->y() + header->height() - 1), style.headerTo));
    EXPECT_TRUE(near(image.pixel(right, band->y()), style.headerFrom));
    EXPECT_TRUE(near(image.pixel(right, band->y() + band->height() - 1), style.headerTo));
    const ColourButton* first = window.button(buttons == 3 ? "DA" : "OK");
    const QPoint inside = first->mapTo(&window, QPoint(3, first->height() / 2));
    EXPECT_TRUE(near(image.pixel(inside), style.buttonNormal));
    window.close();
  }
}

}  // namespace
}  // namespace dajdor
