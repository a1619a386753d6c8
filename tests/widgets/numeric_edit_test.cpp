#include "widgets/balloon_hint_widget.h"
#include "widgets/numeric_edit_widget.h"
#include "store/qt_printers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace dajdor {
namespace {

using Kind = NumericEdit::Kind;

struct NumericEditTest : ::testing::Test {
  ~NumericEditTest() override { closeBalloon(); }
  static void closeBalloon() {
    if (BalloonHint* b = BalloonHint::current()) b->close();
    QCoreApplication::processEvents();
  }
  // Types `keys` into `edit` as a clerk would; '\b' is Backspace.
  static void type(NumericEdit& edit, const QString& keys) {
    for (const QChar c : keys) {
      if (c == '\b') {
        QTest::keyClick(&edit, Qt::Key_Backspace);
      } else {
        QTest::keyClicks(&edit, QString(c));
      }
    }
  }
};

TEST_F(NumericEditTest, ARefusedKeyChangesNothingAndACommaIsTheDecimalPoint) {
  struct Case {
    Kind kind;
    const char* before;  // selected for overwrite when not empty
    const char* typed;
    const char* after;
    bool balloon;
  };
  const Case cases[] = {
      {Kind::Whole, "42", "x7", "7", true},       // the refused letter keeps 42 selected
      {Kind::Decimal, "35", "x7", "7", true},
      {Kind::Whole, "30", "-5", "5", true},
      {Kind::Decimal, "30", "-5", "5", true},
      {Kind::Whole, "30", ",5", "30", true},      // a fraction alone leaves the value as it was
      {Kind::Decimal, "", "1,5", "1.5", false},
      {Kind::Decimal, "30", "1,25", "1.25", false},
      {Kind::Decimal, "", "1.2,3", "1.23", true},  // a second decimal point is refused
      {Kind::Whole, "", "12", "12", false},
      {Kind::Whole, "30", "1.5", "1", true},      // the fraction of a refused point is refused too
      {Kind::Whole, "", "1,5", "1", true},
      {Kind::Whole, "", "1.5\b27", "27", true},    // until another key, here Backspace
  };
  for (const Case& c : cases) {
    closeBalloon();
    NumericEdit edit(c.kind, 8);
    edit.show();
    edit.setNumberText(c.before);
    edit.setFocus();
    edit.selectAll();
    type(edit, c.typed);
    EXPECT_EQ(edit.text(), c.after) << c.before << " + " << c.typed;
    BalloonHint* balloon = BalloonHint::current();
    EXPECT_EQ(balloon != nullptr, c.balloon) << c.before << " + " << c.typed;
    if (balloon) {
      EXPECT_EQ(balloon->message(), edit.refusalMessage()) << c.typed;
    }
  }
}

TEST_F(NumericEditTest, AShapedInputTakesTheColumnsSignAndDigitsOnly) {
  struct Case {
    Kind kind;
    const char* typed;
    const char* after;
    const char* balloon;  // "" when nothing is refused
  };
  // DECIMAL(8,4) and DECIMAL(6,0) columns of a page: 3 and 6 whole digits, signed.
  const Case cases[] = {
      {Kind::Decimal, "-12,5", "-12.5", ""},
      {Kind::Decimal, "1234", "123", "Valoarea are cel mult 3 cifre inainte de punct si 4 zecimale."},
      {Kind::Decimal, "1.23456", "1.2345", "Valoarea are cel mult 3 cifre inainte de punct si 4 zecimale."},
      {Kind::Decimal, "1-", "1", "Introduceti un numar; zecimalele dupa punct sau virgula."},
      {Kind::Whole, "-99999", "-99999", ""},
      {Kind::Whole, "1234567", "123456", "Valoarea are cel mult 6 cifre."},
  };
  for (const Case& c : cases) {
    closeBalloon();
    NumericEdit edit(c.kind, 8);
    if (c.kind == Kind::Decimal) {
      edit.setShape(3, 4, true);
    } else {
      edit.setShape(6, 0, true);
    }
    edit.show();
    edit.setFocus();
    type(edit, c.typed);
    EXPECT_EQ(edit.text(), c.after) << c.typed;
    BalloonHint* balloon = BalloonHint::current();
    EXPECT_EQ(balloon ? balloon->message() : QString(), QString(c.balloon)) << c.typed;
  }
}

TEST_F(NumericEditTest, TheSelectionSurvivesARefusedKeyAndAPasteIsCheckedLikeTyping) {
  NumericEdit edit(Kind::Decimal, 8);
  edit.show();
  edit.setNumberText("42");
  edit.setFocus();
  edit.selectAll();
  QTest::keyClicks(&edit, "a");
  EXPECT_EQ(edit.selectedText(), "42");

  QGuiApplication::clipboard()->setText("abc");
  edit.paste();
  EXPECT_EQ(edit.text(), "42");
  EXPECT_EQ(edit.selectedText(), "42");
  ASSERT_NE(BalloonHint::current(), nullptr);

  QGuiApplication::clipboard()->setText("2,5");
  edit.paste();
  EXPECT_EQ(edit.text(), "2.5");
}

TEST_F(NumericEditTest, AFullInputSaysHowManyDigitsItTakesAndAnEmptyOneHoldsZero) {
  NumericEdit edit(Kind::Whole, 4);
  edit.show();
  edit.setFocus();
  QTest::keyClicks(&edit, "12345");
  EXPECT_EQ(edit.text(), "1234");
  ASSERT_NE(BalloonHint::current(), nullptr);
  EXPECT_EQ(BalloonHint::current()->message(), "Valoarea are cel mult 4 cifre.");

  edit.setNumberText("");
  EXPECT_EQ(edit.numberText(), "0");
  NumericEdit decimal(Kind::Decimal, 6);
  decimal.setNumberText(".");
  EXPECT_EQ(decimal.numberText(), "0");
}

}  // namespace
}  // namespace dajdor
