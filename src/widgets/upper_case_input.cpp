#include "widgets/upper_case_input.h"

#include <QLineEdit>

namespace dajdor {

void keepUpperCase(QLineEdit* input) {
  QObject::connect(input, &QLineEdit::textEdited, input, [input](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = input->cursorPosition();
    // setText does not emit textEdited, so this runs once per keystroke.
    input->setText(upper);
    input->setCursorPosition(cursor);
  });
}

}  // namespace dajdor
