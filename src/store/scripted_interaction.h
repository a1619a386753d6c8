// Interaction for tests and unattended runs: answers from a queue (then a fixed
// default) and records everything it was told.
#pragma once

#include "store/interaction.h"

#include <QList>
#include <QString>

namespace dajdor {

class ScriptedInteraction : public Interaction {
 public:
  struct Message {
    QString title;
    QString text;
    int buttons;
    MessageKind kind;
  };
  struct Problem {
    QString text;
    QString field;
  };

  explicit ScriptedInteraction(int defaultAnswer = Answer::Da) : defaultAnswer_(defaultAnswer) {}

  void queueAnswer(int answer) { answers_.append(answer); }

  int message(const QString& title, const QString& text, int buttons, MessageKind kind) override {
    messages.append({title, text, buttons, kind});
    if (buttons == 0) return Answer::Cancel;
    if (!answers_.isEmpty()) return answers_.takeFirst();
    if (buttons == Button::Ok) return Answer::Ok;
    return defaultAnswer_;
  }
  void problem(const QString& text, const QString& field) override {
    problems.append({text, field});
  }
  void progressStart(const QString& text, int maximum) override {
    progressTexts.append(text);
    progressMax = maximum;
    progressValue = 0;
  }
  void progressStep(int steps) override { progressValue += steps; }
  void progressEnd() override {}

  QList<Message> messages;
  QList<Problem> problems;
  QStringList progressTexts;
  int progressMax = 0;
  int progressValue = 0;

 private:
  int defaultAnswer_;
  QList<int> answers_;
};

}  // namespace dajdor
