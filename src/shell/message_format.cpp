#include "shell/message_format.h"

#include <QRegularExpression>

namespace dajdor {

MessageKind messageKindFromValue(int value) {
  switch (value) {
    case 0: return MessageKind::Warning;
    case 2: return MessageKind::Information;
    case 3: return MessageKind::Confirmation;
    default: return MessageKind::Error;
  }
}

const MessageStyle& messageStyle(MessageKind kind) {
  static const MessageStyle warning{"Atentie !", 0xB7B18A, 0x383623,
                                    0x2C291B, 0x070705, 0x737753, 0xDEDFD2, 0x000000};
  static const MessageStyle error{"Eroare", 0xFFD5D5, 0xFF0000,
                                  0xFF0000, 0xA60000, 0xFF9B9B, 0xFFD9D9, 0xFFFFFF};
  static const MessageStyle information{"Informatie", 0xE1DEFA, 0x0000BB,
                                        0x0000FF, 0x000093, 0x9D9DFF, 0xDFDFFF, 0xFFFFFF};
  static const MessageStyle confirmation{"Confirmare", 0x81A2D3, 0x365F9C,
                                         0x3966A8, 0x000093, 0x7196CE, 0xECF1F9, 0x000000};
  switch (kind) {
    case MessageKind::Warning: return warning;
    case MessageKind::Information: return information;
    case MessageKind::Confirmation: return confirmation;
    case MessageKind::Error: break;
  }
  return error;
}

const std::array<MessageButtonSpec, 4>& messageButtons() {
  static const std::array<MessageButtonSpec, 4> buttons{{
      {Button::Da, "DA", Answer::Da},
      {Button::Nu, "NU", Answer::Nu},
      {Button::Renunt, "RENUNT", Answer::Cancel},
      {Button::Ok, "OK", Answer::Ok},
  }};
  return buttons;
}

int messageButtonLeft(int rank, int count) {
  const int gap = (kMessageButtonBand - kMessageButtonWidth * count) / (count + 1);
  return rank * (gap + kMessageButtonWidth) - kMessageButtonWidth;
}

QList<MessageLine> parseMessage(const QString& message) {
  static const QRegularExpression lineBreak("\r\n|\r|\n");
  constexpr QChar kBoldOn(0x01);
  constexpr QChar kBoldOff(0x02);

  QList<MessageLine> lines;
  bool bold = false;
  for (const QString& text : message.split(lineBreak)) {
    MessageLine line;
    QString run;
    const auto endRun = [&] {
      if (!run.isEmpty()) line.append({run, bold});
      run.clear();
    };
    for (const QChar c : text) {
      if (c == kBoldOn || c == kBoldOff) {
        endRun();
        bold = c == kBoldOn;
      } else {
        run += c;
      }
    }
    endRun();
    lines.append(line);
  }
  return lines;
}

}  // namespace dajdor
