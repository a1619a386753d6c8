// Helpers for tests that meet the modal message window.
#pragma once

#include <functional>

namespace dajdor {

class MessageWindow;

// The message window on screen, if any.
MessageWindow* shownMessageWindow();
// Runs `act` on the message window as soon as a modal loop shows it.
void whenMessageShown(std::function<void(MessageWindow*)> act);

}  // namespace dajdor
