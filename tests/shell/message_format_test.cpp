#include "shell/message_format.h"

#include <gtest/gtest.h>

namespace dajdor {
namespace {

const QString kBoldOn(QChar(0x01));
const QString kBoldOff(QChar(0x02));

TEST(MessageFormat, ButtonsSpreadEvenlyOverTheBand) {
  struct Case {
    int count;
    std::vector<int> lefts;
  };
  const Case cases[] = {
      {1, {134}},  // a lone OK sits in the middle
      {2, {65, 203}},
      {3, {30, 133, 236}},
      {4, {10, 93, 176, 259}},
  };
  for (const Case& c : cases) {
    for (int rank = 1; rank <= c.count; ++rank) {
      const int left = messageButtonLeft(rank, c.count);
      EXPECT_EQ(left, c.lefts[rank - 1]) << c.count << " buttons, rank " << rank;
      EXPECT_LE(left + kMessageButtonWidth, kMessageButtonBand);
    }
  }
}

TEST(MessageFormat, ButtonsInOrderWithTheirAnswers) {
  const auto& buttons = messageButtons();
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_STREQ(buttons[0].caption, "DA");
  EXPECT_EQ(buttons[0].bit, 1);
  EXPECT_EQ(buttons[0].result, 6);
  EXPECT_STREQ(buttons[1].caption, "NU");
  EXPECT_EQ(buttons[1].bit, 2);
  EXPECT_EQ(buttons[1].result, 7);
  EXPECT_STREQ(buttons[2].caption, "RENUNT");
  EXPECT_EQ(buttons[2].bit, 8);
  EXPECT_EQ(buttons[2].result, 2);
  EXPECT_STREQ(buttons[3].caption, "OK");
  EXPECT_EQ(buttons[3].bit, 4);
  EXPECT_EQ(buttons[3].result, 1);
}

TEST(MessageFormat, KindValuesAndTheirLook) {
  struct Case {
    int value;
    MessageKind kind;
    const char* caption;
    unsigned headerFrom, headerTo, normal, pressed, hot, light, shadow;
  };
  const Case cases[] = {
      {0, MessageKind::Warning, "Atentie !", 0xB7B18A, 0x383623, 0x2C291B, 0x070705, 0x737753, 0xDEDFD2, 0x000000},
      {1, MessageKind::Error, "Eroare", 0xFFD5D5, 0xFF0000, 0xFF0000, 0xA60000, 0xFF9B9B, 0xFFD9D9, 0xFFFFFF},
      {2, MessageKind::Information, "Informatie", 0xE1DEFA, 0x0000BB, 0x0000FF, 0x000093, 0x9D9DFF, 0xDFDFFF, 0xFFFFFF},
      {3, MessageKind::Confirmation, "Confirmare", 0x81A2D3, 0x365F9C, 0x3966A8, 0x000093, 0x7196CE, 0xECF1F9, 0x000000},
      // Any other value is shown as an error.
      {4, MessageKind::Error, "Eroare", 0xFFD5D5, 0xFF0000, 0xFF0000, 0xA60000, 0xFF9B9B, 0xFFD9D9, 0xFFFFFF},
      {-1, MessageKind::Error, "Eroare", 0xFFD5D5, 0xFF0000, 0xFF0000, 0xA60000, 0xFF9B9B, 0xFFD9D9, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(messageKindFromValue(c.value), c.kind);
    const MessageStyle& style = messageStyle(messageKindFromValue(c.value));
    EXPECT_EQ(style.caption, QString(c.caption));
    EXPECT_EQ(style.headerFrom, c.headerFrom);
    EXPECT_EQ(style.headerTo, c.headerTo);
    EXPECT_EQ(style.buttonNormal, c.normal);
    EXPECT_EQ(style.buttonPressed, c.pressed);
    EXPECT_EQ(style.buttonHot, c.hot);
    EXPECT_EQ(style.buttonLight, c.light);
    EXPECT_EQ(style.buttonShadow, c.shadow);
  }
}

TEST(MessageFormat, LinesAndBoldRuns) {
  struct Case {
    const char* name;
    QString message;
    QList<MessageLine> lines;
  };
  const QList<Case> cases = {
      {"two lines", "Prima linie\rA doua linie", {{{"Prima linie", false}}, {{"A doua linie", false}}}},
      {"bold in the middle", "Total " + kBoldOn + "100 lei" + kBoldOff + " de plata",
       {{{"Total ", false}, {"100 lei", true}, {" de plata", false}}}},
      {"bold carries to the next line", "Rol " + kBoldOn + "12\rsat Vale" + kBoldOff + " gata",
       {{{"Rol ", false}, {"12", true}}, {{"sat Vale", true}, {" gata", false}}}},
      {"CR LF is one break", "a\r\nb", {{{"a", false}}, {{"b", false}}}},
      {"an empty line stays", "a\r\rb", {{{"a", false}}, {}, {{"b", false}}}},
      {"markers alone leave nothing", kBoldOn + kBoldOff, {{}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(parseMessage(c.message), c.lines);
  }
}

}  // namespace
}  // namespace dajdor
