#include "shell/interaction_window.h"

#include "shell/message_window.h"
#include "shell/progress_window.h"
#include "widgets/balloon_hint_widget.h"

#include <QApplication>
#include <QProgressBar>

namespace dajdor {

int WidgetInteraction::message(const QString& title, const QString& text, int buttons,
                               MessageKind kind) {
  return Mesaj(title, text, buttons, static_cast<int>(kind));
}

QWidget* WidgetInteraction::findControl(const QString& field) {
  if (field.isEmpty()) return nullptr;
  QList<QWidget*> windows;
  if (QWidget* modal = QApplication::activeModalWidget()) windows.append(modal);
  if (QWidget* active = QApplication::activeWindow()) windows.append(active);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible()) windows.append(top);
  }
  for (QWidget* window : windows) {
    if (window->objectName() == field) return window;
    for (QWidget* control : window->findChildren<QWidget*>(field)) {
      if (control->isVisible()) return control;
    }
  }
  return nullptr;
}

void WidgetInteraction::problem(const QString& text, const QString& field) {
  if (QWidget* control = findControl(field)) {
    ShowProblem(text, control);
  } else {
    Mesaj(QStringLiteral("Problema !"), text, Button::Ok, static_cast<int>(MessageKind::Error));
  }
}

void WidgetInteraction::progressStart(const QString& text, int maximum) {
  progressOwner_ = QApplication::activeWindow();
  if (progressOwner_ == &progress_) progressOwner_ = nullptr;
  progress_.Arata(progressOwner_);
  progress_.SetStep(text);
  progress_.bar()->setMaximum(std::max(1, maximum));
}

void WidgetInteraction::progressStep(int steps) { progress_.Step(steps); }

void WidgetInteraction::progressEnd() {
  progress_.Distruge(progressOwner_);
  progressOwner_ = nullptr;
}

}  // namespace dajdor
