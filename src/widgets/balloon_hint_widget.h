// A balloon hint: a small titled note with a tail pointing at one control. It
// takes no focus, blocks nothing and goes away by itself after a while, when it
// is clicked, or when another balloon replaces it.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;

namespace dajdor {

class BalloonHint : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 5000;

  // Shows a balloon at `control` (replacing any balloon still shown) and returns
  // it; nullptr when there is no control to point at.
  static BalloonHint* showAt(const QString& title, const QString& message, QWidget* control);
  // The balloon now on screen, if any.
  static BalloonHint* current();

  QString title() const;
  QString message() const;
  // Global position of the tail's tip.
  QPoint tip() const { return tip_; }
  bool pointsDown() const { return tailBelow_; }
  const QTimer& hideTimer() const { return hideTimer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  BalloonHint(const QString& title, const QString& message, QWidget* control);
  void placeAt(QWidget* control);
  QPainterPath outline() const;

  QLabel* title_;
  QLabel* message_;
  QTimer hideTimer_;
  QPoint tip_;
  bool tailBelow_ = false;
  static QPointer<BalloonHint> current_;
};

// A problem with one input: a balloon titled "Problema !" pointing at it.
void ShowProblem(const QString& message, QWidget* control);

}  // namespace dajdor
