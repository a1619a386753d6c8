// How domain code talks to the user without knowing about windows.
//
// The desktop program implements it with the message window and balloon hints,
// tests with ScriptedInteraction, unattended runs with fixed answers.
#pragma once

#include <QString>

namespace dajdor {

enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

// Buttons of a message (bit set) and the codes a message returns.
namespace Button {
constexpr int Da = 1;
constexpr int Nu = 2;
constexpr int Ok = 4;
constexpr int Renunt = 8;
}  // namespace Button
namespace Answer {
constexpr int Ok = 1;
constexpr int Cancel = 2;  // RENUNT, Escape, close box, or no button at all
constexpr int Da = 6;
constexpr int Nu = 7;
}  // namespace Answer

class Interaction {
 public:
  virtual ~Interaction() = default;

  // A modal message; returns one of Answer. '\r' separates lines; byte 0x01
  // starts bold and 0x02 ends it.
  virtual int message(const QString& title, const QString& text, int buttons,
                      MessageKind kind) = 0;
  // A problem with one input, named by the control's objectName.
  virtual void problem(const QString& text, const QString& field) = 0;

  // Progress of a long operation.
  virtual void progressStart(const QString& text, int maximum = 100) = 0;
  virtual void progressStep(int steps = 1) = 0;
  virtual void progressEnd() = 0;

  // Conveniences for the four shapes every caller uses.
  void error(const QString& title, const QString& text) {
    message(title, text, Button::Ok, MessageKind::Error);
  }
  void info(const QString& title, const QString& text) {
    message(title, text, Button::Ok, MessageKind::Information);
  }
  bool confirm(const QString& title, const QString& text,
               MessageKind kind = MessageKind::Confirmation) {
    return message(title, text, Button::Da | Button::Nu, kind) == Answer::Da;
  }
};

// Shows a progress for the lifetime of the object: the window goes away also when
// the operation stops on an error.
class ProgressScope {
 public:
  ProgressScope(Interaction& interaction, const QString& text, int maximum = 100) : interaction_(interaction) {
    interaction_.progressStart(text, maximum);
  }
  ~ProgressScope() { interaction_.progressEnd(); }
  void step(int steps = 1) { interaction_.progressStep(steps); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  Interaction& interaction_;
};

}  // namespace dajdor
