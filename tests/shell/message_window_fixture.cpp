#include "message_window_fixture.h"

#include "shell/message_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

namespace dajdor {
namespace {
void tryAct(std::function<void(MessageWindow*)> act, int triesLeft) {
  QTimer::singleShot(0, [act, triesLeft] {
    if (MessageWindow* window = shownMessageWindow()) {
      act(window);
    } else if (triesLeft > 0) {
      tryAct(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "the message window never appeared";
    }
  });
}
}  // namespace

MessageWindow* shownMessageWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* m = qobject_cast<MessageWindow*>(w); m && m->isVisible()) return m;
  }
  return nullptr;
}

void whenMessageShown(std::function<void(MessageWindow*)> act) { tryAct(std::move(act), 100); }

}  // namespace dajdor
