#include "widgets/balloon_hint_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace dajdor {
namespace {
constexpr int kTailHeight = 14;
constexpr int kTailWidth = 16;
constexpr int kTailInset = 22;  // distance from the balloon's side to the tail
constexpr int kRadius = 7;
constexpr int kMaxTextWidth = 320;
}  // namespace

QPointer<BalloonHint> BalloonHint::current_;

BalloonHint::BalloonHint(const QString& title, const QString& message, QWidget* control)
    // Parented to the control's window so it goes when that window goes.
    : QWidget(control->window(), Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName("BalloonHint");
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);

  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(20, 20));
  title_ = new QLabel(title, this);
  title_->setObjectName("title");
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  message_ = new QLabel(message, this);
  message_->setObjectName("message");
  message_->setTextFormat(Qt::PlainText);
  message_->setWordWrap(message_->fontMetrics().horizontalAdvance(message) > kMaxTextWidth);
  message_->setMaximumWidth(kMaxTextWidth);
  for (QLabel* label : {title_, message_}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
  }

  auto* heading = new QHBoxLayout;
  heading->setSpacing(6);
  heading->addWidget(icon);
  heading->addWidget(title_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(4);
  layout->addLayout(heading);
  layout->addWidget(message_);

  hideTimer_.setSingleShot(true);
  hideTimer_.setInterval(kShowMilliseconds);
  connect(&hideTimer_, &QTimer::timeout, this, &QWidget::close);

  placeAt(control);
}

BalloonHint* BalloonHint::showAt(const QString& title, const QString& message, QWidget* control) {
  if (current_) current_->close();
  if (!control) return nullptr;
  auto* balloon = new BalloonHint(title, message, control);
  current_ = balloon;
  balloon->show();
  balloon->hideTimer_.start();
  return balloon;
}

BalloonHint* BalloonHint::current() { return current_.data(); }

QString BalloonHint::title() const { return title_->text(); }
QString BalloonHint::message() const { return message_->text(); }

void BalloonHint::placeAt(QWidget* control) {
  // The tail points at the control's lower middle; the balloon hangs below it
  // unless the screen ends there, then it stands above the control's top.
  const QRect target(control->mapToGlobal(QPoint(0, 0)), control->size());
  const QScreen* screen = control->screen() ? control->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);

  auto* box = static_cast<QVBoxLayout*>(layout());
  box->setContentsMargins(10, 8 + kTailHeight, 10, 8);
  adjustSize();
  QSize size = sizeHint().expandedTo(QSize(2 * kTailInset + kTailWidth, 0));

  tip_ = QPoint(target.center().x(), target.bottom() - 2);
  tailBelow_ = tip_.y() + size.height() > area.bottom() && target.top() - size.height() >= area.top();
  if (tailBelow_) {
    tip_ = QPoint(target.center().x(), target.top() + 2);
    box->setContentsMargins(10, 8, 10, 8 + kTailHeight);
  }
  resize(size);

  int left = tip_.x() - kTailInset - kTailWidth / 2;
  left = std::clamp(left, area.left(), std::max(area.left(), area.right() - size.width()));
  const int top = tailBelow_ ? tip_.y() - size.height() : tip_.y();
  move(left, top);
  setMask(QRegion(outline().toFillPolygon().toPolygon()));
}

QPainterPath BalloonHint::outline() const {
  const QRectF body = tailBelow_ ? QRectF(0, 0, width() - 1, height() - 1 - kTailHeight)
                                 : QRectF(0, kTailHeight, width() - 1, height() - 1 - kTailHeight);
  QPainterPath path;
  path.addRoundedRect(body, kRadius, kRadius);
  // The tail's tip sits over the control, wherever the balloon had to be moved to.
  const qreal tipX = std::clamp<qreal>(tip_.x() - x(), kRadius, width() - 1 - kRadius);
  const qreal baseX = std::clamp<qreal>(tipX - kTailWidth / 2.0, kRadius, width() - 1 - kRadius - kTailWidth);
  QPainterPath tail;
  if (tailBelow_) {
    tail.moveTo(baseX, body.bottom() - 1);
    tail.lineTo(tipX, height() - 1);
    tail.lineTo(baseX + kTailWidth, body.bottom() - 1);
  } else {
    tail.moveTo(baseX, body.top() + 1);
    tail.lineTo(tipX, 0);
    tail.lineTo(baseX + kTailWidth, body.top() + 1);
  }
  tail.closeSubpath();
  return path.united(tail);
}

void BalloonHint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x505050), 1));
  painter.setBrush(Qt::white);  // the program's hints are white
  painter.drawPath(outline());
}

void BalloonHint::mousePressEvent(QMouseEvent*) { close(); }

void ShowProblem(const QString& message, QWidget* control) {
  BalloonHint::showAt(QStringLiteral("Problema !"), message, control);
}

}  // namespace dajdor
