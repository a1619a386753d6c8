// Driving modal dialogs from a window test: the dialog a button opens runs its
// own event loop, so the test acts on it from a timer once it is on screen.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace dajdor::testing {

// Runs `act` on the next modal dialog as soon as it is the active window; no
// dialog within three seconds, or one `act` leaves open, is a failure rather
// than a test that never ends.
inline void whenModal(QObject* owner, std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(owner);
  auto ticks = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, ticks, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || QApplication::activeWindow() != modal) {
      if (++*ticks > 300) {
        ADD_FAILURE() << "no dialog was shown";
        timer->deleteLater();
      }
      return;
    }
    timer->stop();
    timer->deleteLater();
    act(modal);
    if (modal->isVisible()) {
      ADD_FAILURE() << modal->objectName().toStdString() << " is still open";
      modal->close();
    }
  });
  timer->start(10);
}

// Lets events run until `done` holds (at most three seconds).
inline bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 300 && !done(); ++i) QTest::qWait(10);
  return done();
}

}  // namespace dajdor::testing
