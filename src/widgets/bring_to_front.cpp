#include "widgets/bring_to_front.h"

#include <QWidget>

namespace dajdor {

void bringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) {
    // Back to its state before minimising (a maximised window stays maximised).
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace dajdor
