#include "widgets/hint_style.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>
#include <QWidget>

namespace dajdor {
namespace {

// Qt has no program-wide hint duration: give each widget the five seconds just
// before its hint is shown for the first time.
class HintDuration : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->toolTipDuration() < 0) {
        widget->setToolTipDuration(kHintMilliseconds);
      }
    }
    return false;
  }
};

}  // namespace

void applyHintStyle(QApplication& app) {
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, Qt::white);
  palette.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(palette);
  app.installEventFilter(new HintDuration(&app));
}

}  // namespace dajdor
