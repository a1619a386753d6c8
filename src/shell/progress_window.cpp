#include "shell/progress_window.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace dajdor {

ProgressWindow::ProgressWindow(QWidget* mainWindow)
    // Not kept on top: a message shown during the operation must come above it.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      mainWindow_(mainWindow) {
  setObjectName("TContor");
  setWindowTitle(QStringLiteral("Dajdor 2014"));

  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(1);
  frame->setStyleSheet("QFrame#frame { border: 2px solid #365F9C; background: #ECF1F9; }");
  frame->setObjectName("frame");

  description_ = new QLabel(frame);
  description_->setObjectName("description");
  description_->setAlignment(Qt::AlignCenter);
  QFont bold = description_->font();
  bold.setBold(true);
  description_->setFont(bold);
  bar_ = new QProgressBar(frame);
  bar_->setObjectName("bar");
  bar_->setRange(0, 100);
  bar_->setValue(0);

  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(14, 10, 14, 12);
  inner->addWidget(description_);
  inner->addWidget(bar_);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  setFixedSize(420, 76);
}

void ProgressWindow::Arata(QWidget* owner) {
  bar_->setValue(0);
  shownPercent_ = -1;
  if (owner) {
    ownerCursor_.reset();
    if (owner->testAttribute(Qt::WA_SetCursor)) ownerCursor_ = owner->cursor();
    owner->setEnabled(false);
    owner->setCursor(Qt::WaitCursor);
  }
  centre(owner);
  show();
  raise();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::Distruge(QWidget* owner) {
  hide();
  if (!owner) return;
  owner->setEnabled(true);
  if (ownerCursor_) {
    owner->setCursor(*ownerCursor_);
  } else {
    owner->unsetCursor();
  }
  ownerCursor_.reset();
  if (owner->isVisible() && owner->isEnabled()) owner->setFocus();
}

void ProgressWindow::SetStep(const QString& text) {
  description_->setText(text);
  bar_->setValue(0);
  shownPercent_ = -1;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::Step(int steps) {
  bar_->setValue(std::min(bar_->maximum(), bar_->value() + steps));
  // Repaint only when the shown percentage moves: operations step per row and
  // a repaint per row would cost more than the work.
  const int span = std::max(1, bar_->maximum() - bar_->minimum());
  const int percent = int(qint64(bar_->value() - bar_->minimum()) * 100 / span);
  if (percent != shownPercent_) {
    shownPercent_ = percent;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void ProgressWindow::centre(QWidget* owner) {
  QWidget* around = mainWindow_ ? mainWindow_.data() : (owner ? owner->window() : nullptr);
  QRect area;
  if (around && around->isVisible()) {
    area = around->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) move(area.center() - rect().center());
}

}  // namespace dajdor
