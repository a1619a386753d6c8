// The one progress window of long operations: borderless, centred on the main
// window, a description and a bar. It does not block; the owner window is
// disabled meanwhile so the user cannot start a second operation.
#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;

namespace dajdor {

class ProgressWindow : public QWidget {
  Q_OBJECT
 public:
  // `mainWindow` is the window it centres on; without one it centres on its owner.
  explicit ProgressWindow(QWidget* mainWindow = nullptr);

  void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

  // Bar at 0, owner disabled with the hourglass cursor, window shown.
  void Arata(QWidget* owner);
  // Window hidden, owner enabled with its cursor back, and focused when it can be.
  void Distruge(QWidget* owner);
  // New description, bar back at 0.
  void SetStep(const QString& text);
  // Bar advanced (by one unless told), the screen kept up to date.
  void Step(int steps = 1);

  QLabel* description() const { return description_; }
  QProgressBar* bar() const { return bar_; }

 private:
  void centre(QWidget* owner);

  QLabel* description_;
  QProgressBar* bar_;
  QPointer<QWidget> mainWindow_;
  std::optional<QCursor> ownerCursor_;  // the owner's own cursor, if it had one
  int shownPercent_ = -1;
};

}  // namespace dajdor
