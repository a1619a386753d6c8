// The program's modal message window: a coloured header with the title, the
// message as centred lines, and the chosen buttons in a coloured bottom band.
#pragma once

#include "shell/message_format.h"

#include <QDialog>

class QLabel;
class QTextEdit;

namespace dajdor {

class ColourButton;
class GradientPanel;

class MessageWindow : public QDialog {
  Q_OBJECT
 public:
  MessageWindow(const QString& title, const QString& message, int buttons, int kind,
                QWidget* parent = nullptr);

  // Shows the message modally and returns the code of the button pressed
  // (Answer::Cancel for Escape or the close box). Without any button nothing is
  // shown and the result is Answer::Cancel.
  static int ask(const QString& title, const QString& message, int buttons, int kind,
                 QWidget* parent = nullptr);

  QString heading() const;
  QTextEdit* body() const { return body_; }
  // Places the window in the middle of its screen, as every showing does.
  void centreOnScreen();
  // The button with the given caption ("DA", "NU", "RENUNT", "OK"), shown or not.
  ColourButton* button(const QString& caption) const;

 public slots:
  void reject() override;  // Escape and the close box answer RENUNT

 private:
  void fillBody(const QString& message);
  void placeButtons(int buttons, const MessageStyle& style);

  GradientPanel* header_;
  QLabel* icon_;
  QLabel* heading_;
  QTextEdit* body_;
  GradientPanel* band_;
  QWidget* buttonStrip_;
  QList<ColourButton*> buttons_;
};

// The message every window and operation shows: see MessageWindow::ask.
int Mesaj(const QString& title, const QString& message, int buttons, int kind);

}  // namespace dajdor
