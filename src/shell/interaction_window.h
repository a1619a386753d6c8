// The program's Interaction: messages in the message window, problems as
// balloons at the input concerned, progress in the shared progress window.
#pragma once

#include "store/interaction.h"

#include <QPointer>
#include <QWidget>

namespace dajdor {

class ProgressWindow;

class WidgetInteraction : public Interaction {
 public:
  explicit WidgetInteraction(ProgressWindow& progress) : progress_(progress) {}

  int message(const QString& title, const QString& text, int buttons, MessageKind kind) override;
  // The balloon points at the control of that objectName in the active window;
  // when no such control is on screen the problem is shown as a message instead.
  void problem(const QString& text, const QString& field) override;
  void progressStart(const QString& text, int maximum = 100) override;
  void progressStep(int steps = 1) override;
  void progressEnd() override;

  // The window a field name is looked up in: the modal window, else the active one.
  static QWidget* findControl(const QString& field);

 private:
  ProgressWindow& progress_;
  QPointer<QWidget> progressOwner_;
};

}  // namespace dajdor
