#include "widgets/enter_navigation.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QWidget>

namespace dajdor {
namespace {

bool isInput(const QWidget* widget) {
  // The line edit inside a spin box is reached through the spin box.
  if (qobject_cast<const QLineEdit*>(widget))
    return !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
  return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

}  // namespace

void focusInView(QWidget* widget) {
  widget->setFocus(Qt::TabFocusReason);
  // The whole input with a little room around it, not only its text cursor
  // (which is all QScrollArea::ensureWidgetVisible shows of a line edit).
  constexpr int kRoom = 8;
  for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
    auto* area = qobject_cast<QScrollArea*>(p);
    if (!area || !area->widget() || !area->widget()->isAncestorOf(widget)) continue;
    const QRect shown(widget->mapTo(area->widget(), QPoint(0, 0)), widget->size());
    area->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + kRoom,
                        shown.height() / 2 + kRoom);
  }
}

EnterNavigation::EnterNavigation(QWidget* window) : QObject(window), window_(window) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    // Inputs of dialogs owned by this window have navigation of their own.
    if (!window->isAncestorOf(child)) continue;
    if (isInput(child)) child->installEventFilter(this);
  }
}

void EnterNavigation::setFinalAction(QWidget* input, std::function<void()> action) {
  finalInput_ = input;
  finalAction_ = std::move(action);
}

bool EnterNavigation::canTakeFocus(QWidget* widget) const {
  return window_->isAncestorOf(widget) && widget->isVisible() && widget->isEnabled() &&
         (widget->focusPolicy() & Qt::TabFocus);
}

void EnterNavigation::focusNext(QWidget* from) {
  // The focus chain is a ring through the window itself: passing the window
  // means the last input has been left behind.
  for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
    // The inside of `from` (an editable combo's line edit) is not the next input.
    if (from->isAncestorOf(w)) continue;
    if (w == window_) {
      if (afterLast_ && canTakeFocus(afterLast_)) {
        focusInView(afterLast_);
        return;
      }
    }
    if (isInput(w) && canTakeFocus(w)) {
      focusInView(w);
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
