// Enter in an input moves to the next input, as in every editor of the program;
// Enter in the last input of an editor runs its confirming action instead. The
// input reached is scrolled into view, so the clerk never types blind.
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
  // Where Enter goes after the window's last input shown (the save button);
  // without one it starts again at the first input.
  void setAfterLast(QWidget* target) { afterLast_ = target; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusNext(QWidget* from);
  bool canTakeFocus(QWidget* widget) const;

  QWidget* window_;
  QWidget* finalInput_ = nullptr;
  std::function<void()> finalAction_;
  QWidget* afterLast_ = nullptr;
};

// Gives `widget` the focus and scrolls every scroll area around it to show it.
void focusInView(QWidget* widget);

}  // namespace dajdor
