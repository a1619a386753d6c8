#include "register/cnp_edit_widget.h"
#include "store/qt_printers.h"

#include <QTest>

#include <gtest/gtest.h>

namespace dajdor::reg {
namespace {

struct KeyCase {
  const char* before;
  int cursor;
  int selectionLength;  // selected from the cursor onwards
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* after;
  int cursorAfter;
};

TEST(CnpEdit, TakesDigitsOnlyAndEditsAtTheCaret) {
  const KeyCase cases[] = {
      {"180", 1, 0, Qt::Key_5, Qt::NoModifier, "1580", 2},
      {"180", 3, 0, Qt::Key_7, Qt::KeypadModifier, "1807", 4},  // the numeric keypad
      {"180", 1, 1, Qt::Key_9, Qt::NoModifier, "190", 2},        // replaces the selection
      {"0", 1, 0, Qt::Key_4, Qt::NoModifier, "4", 1},            // a lone zero goes
      {"1800101221144", 5, 0, Qt::Key_1, Qt::NoModifier, "1800101221144", 5},  // full
      {"18-0", 2, 0, Qt::Key_1, Qt::NoModifier, "18-0", 2},      // not before a dash
      {"180", 3, 0, Qt::Key_A, Qt::NoModifier, "180", 3},
      {"180", 3, 0, Qt::Key_V, Qt::ControlModifier, "180", 3},    // no pasting
      {"180", 2, 0, Qt::Key_Backspace, Qt::NoModifier, "10", 1},
      {"180", 0, 0, Qt::Key_Backspace, Qt::NoModifier, "180", 0},
      {"180", 0, 2, Qt::Key_Backspace, Qt::NoModifier, "0", 0},
      {"180", 1, 0, Qt::Key_Delete, Qt::NoModifier, "10", 1},
      {"180", 3, 0, Qt::Key_Delete, Qt::NoModifier, "180", 3},
      {"180", 1, 0, Qt::Key_Left, Qt::NoModifier, "180", 0},
  };
  for (const KeyCase& c : cases) {
    CnpEdit edit;
    edit.setText(c.before);
    edit.setCursorPosition(c.cursor);
    if (c.selectionLength > 0) edit.setSelection(c.cursor, c.selectionLength);
    QTest::keyClick(&edit, c.key, c.modifiers);
    EXPECT_EQ(edit.text(), QString(c.after)) << c.before << " key " << c.key;
    EXPECT_EQ(edit.cursorPosition(), c.cursorAfter) << c.before << " key " << c.key;
  }
}

TEST(CnpEdit, AnswersForItsTextAndLeavesEnterToTheWindow) {
  CnpEdit edit;
  EXPECT_FALSE(edit.Corect());
  edit.setAcceptGol(true);
  EXPECT_TRUE(edit.Corect());
  QTest::keyClicks(&edit, "2800101221144x");
  EXPECT_EQ(edit.text(), "2800101221144");
  EXPECT_FALSE(edit.Corect());  // the control digit belongs to a man's code
  EXPECT_EQ(edit.Sexul(), "feminin");
  EXPECT_EQ(edit.NascutLa(), QDate(1980, 1, 1));
  edit.setText("1800101221144");
  EXPECT_TRUE(edit.Corect());

  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(&edit, &enter);
  EXPECT_FALSE(enter.isAccepted());
}

}  // namespace
}  // namespace dajdor::reg
