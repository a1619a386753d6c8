// Brings a window to the user: restored when minimised, raised and activated.
#pragma once

class QWidget;

namespace dajdor {

void bringToFront(QWidget* window);

}  // namespace dajdor
