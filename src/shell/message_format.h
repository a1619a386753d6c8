// The message window's rules that need no window: the look of each kind, the
// buttons and where they sit, and how a message text becomes centred lines with
// bold runs.
#pragma once

#include "store/interaction.h"

#include <QList>
#include <QString>

#include <array>

namespace dajdor {

// Colours as 0xRRGGBB.
struct MessageStyle {
  QString caption;
  unsigned headerFrom;
  unsigned headerTo;
  unsigned buttonNormal;
  unsigned buttonPressed;
  unsigned buttonHot;
  unsigned buttonLight;
  unsigned buttonShadow;
};

// 0 warning, 2 information, 3 confirmation; every other value is an error.
MessageKind messageKindFromValue(int value);
const MessageStyle& messageStyle(MessageKind kind);

struct MessageButtonSpec {
  int bit;
  const char* caption;
  int result;
};
// Left to right: DA, NU, RENUNT, OK.
const std::array<MessageButtonSpec, 4>& messageButtons();

// The buttons share a band of 342 pixels, 73 each, spread with equal gaps.
constexpr int kMessageButtonBand = 342;
constexpr int kMessageButtonWidth = 73;
// Left edge of the rank-th (1-based) of `count` shown buttons.
int messageButtonLeft(int rank, int count);

// One line of the body: runs of plain and bold text. Lines end at every "\r"
// ("\r\n" and a lone "\n" count as one break too); byte 0x01 starts bold,
// 0x02 ends it, and bold carries over to the next lines until ended.
struct TextRun {
  QString text;
  bool bold = false;
  bool operator==(const TextRun&) const = default;
};
using MessageLine = QList<TextRun>;
QList<MessageLine> parseMessage(const QString& message);

}  // namespace dajdor
