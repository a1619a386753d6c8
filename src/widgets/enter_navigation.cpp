#include "widgets/enter_navigation.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace dajdor {

EnterNavigation::EnterNavigation(QWidget* window) : QObject(window), window_(window) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    // Inputs of dialogs owned by this window have navigation of their own.
    if (!window->isAncestorOf(child)) continue;
    if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
        qobject_cast<QAbstractSpinBox*>(child) || qobject_cast<QCheckBox*>(child))
      child->installEventFilter(this);
  }
}

void EnterNavigation::setFinalAction(QWidget* input, std::function<void()> action) {
  finalInput_ = input;
  finalAction_ = std::move(action);
}

void EnterNavigation::focusNext(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
    // The inside of `from` (an editable combo's line edit) is not the next input.
    if (from->isAncestorOf(w)) continue;
    if (window_->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
        (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

bool EnterNavigation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  QWidget* input = qobject_cast<QWidget*>(watched);
  // An editable combo's line edit has the focus on behalf of the combo.
  if (input && qobject_cast<QLineEdit*>(input) && qobject_cast<QComboBox*>(input->parentWidget()))
    input = input->parentWidget();
  if (input == finalInput_ && finalAction_) {
    finalAction_();
    return true;
  }
  if (input) focusNext(input);
  return true;
}

}  // namespace dajdor
