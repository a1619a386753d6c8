#include "register/cnp_edit_widget.h"

#include "register/personal_code.h"

#include <QKeyEvent>

namespace dajdor::reg {

CnpEdit::CnpEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kCodeLength);
  // Text reaches the input only through the keys handled below.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool CnpEdit::Corect() const { return reg::Corect(text(), acceptEmpty_); }
QDate CnpEdit::NascutLa() const { return reg::NascutLa(text()); }
QString CnpEdit::Sexul() const { return reg::Sexul(text()); }

void CnpEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers editing = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (key >= Qt::Key_0 && key <= Qt::Key_9 && editing == Qt::NoModifier) {
    typeDigit(QChar('0' + (key - Qt::Key_0)));
  } else if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
    erase(key == Qt::Key_Backspace);
  } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
    QLineEdit::keyPressEvent(event);  // moving the caret and selecting
    return;
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
             key == Qt::Key_Backtab) {
    event->ignore();  // the window's keys
    return;
  }
  event->accept();  // every other key does nothing
}

void CnpEdit::typeDigit(QChar digit) {
  QString value = text();
  int caret = cursorPosition();
  if (hasSelectedText()) {
    caret = selectionStart();
    value.remove(caret, selectedText().size());
  }
  if (value == QLatin1String("0")) {
    value.clear();
    caret = 0;
  }
  if (value.size() >= maxLength() || (caret < value.size() && value[caret] == QLatin1Char('-'))) {
    setText(value);
    setCursorPosition(caret);
    return;
  }
  value.insert(caret, digit);
  setText(value);
  setCursorPosition(caret + 1);
}

void CnpEdit::erase(bool before) {
  QString value = text();
  int caret = cursorPosition();
  if (hasSelectedText()) {
    caret = selectionStart();
    value.remove(caret, selectedText().size());
  } else if (before && caret > 0) {
    value.remove(--caret, 1);
  } else if (!before && caret < value.size()) {
    value.remove(caret, 1);
  }
  setText(value);
  setCursorPosition(caret);
}

}  // namespace dajdor::reg
