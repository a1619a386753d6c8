// Enter in an input moves to the next input, as in every editor of the program;
// Enter in the last input of an editor runs its confirming action instead.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace dajdor {

class EnterNavigation : public QObject {
  Q_OBJECT
 public:
  // Watches every line edit, combo box, time edit and check box inside `window`,
  // which may be a whole window or a part of one (a page hosted in a window):
  // Enter moves among the inputs inside it only.
  explicit EnterNavigation(QWidget* window);
  // Enter in `input` runs `action` instead of moving on.
  void setFinalAction(QWidget* input, std::function<void()> action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusNext(QWidget* from);

  QWidget* window_;
  QWidget* finalInput_ = nullptr;
  std::function<void()> finalAction_;
};

}  // namespace dajdor
