#include "widgets/date_time_typing.h"

#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QObject>

namespace dajdor {
namespace {

class SectionOverwrite : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* edit = qobject_cast<QDateTimeEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress) return false;
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.size() != 1 || !typed.front().isDigit()) return false;
    // Handled here, past the filters: once as Qt would, and once more over
    // the whole section when Qt refused the digit.
    const QString before = edit->text();
    QObject* target = edit;
    target->event(event);
    if (edit->text() == before) {
      edit->setSelectedSection(edit->currentSection());
      target->event(event);
    }
    return true;
  }
};

}  // namespace

void letDigitsOverwriteSections(QDateTimeEdit* edit) { edit->installEventFilter(new SectionOverwrite(edit)); }

}  // namespace dajdor
