// The program's hints (tooltips): white, and gone after five seconds.
#pragma once

class QApplication;

namespace dajdor {

constexpr int kHintMilliseconds = 5000;

// Sets the hint colour and makes every widget's hint hide after five seconds
// unless the widget asks for another duration.
void applyHintStyle(QApplication& app);

}  // namespace dajdor
