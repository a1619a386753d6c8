// The window shown while the program starts: the version title, a status line
// and a progress bar. Once it is on screen a one-shot timer runs the start-up
// sequence; then the window hides and the main window takes over.
#pragma once

#include "store/ini_row.h"

#include <QList>
#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace dajdor {

struct AppContext;

class StartupWindow : public QWidget {
  Q_OBJECT
 public:
  StartupWindow(AppContext& context, QList<IniRow> iniRows, QWidget* parent = nullptr);

  // Time between the window appearing and the work starting (one second).
  void setStartDelay(int milliseconds) { timer_.setInterval(milliseconds); }

  // Advances the progress bar by n (of 100) and lets the window repaint.
  void StepProgress(int n);

  QLabel* status() const { return status_; }
  QProgressBar* progress() const { return progress_; }

 signals:
  // Start-up is over and this window hidden: the main window takes over. The
  // windows that work on the data directory are made now that it is known.
  void handedOver();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void initialise();
  void showStatus(const QString& text);

  AppContext& context_;
  QList<IniRow> iniRows_;
  QTimer timer_;
  bool started_ = false;
  QLabel* status_;
  QProgressBar* progress_;
};

}  // namespace dajdor
