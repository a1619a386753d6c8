#include "shell/startup_window.h"

#include "session/app_context.h"
#include "shell/startup_settings.h"
#include "store/sql_helpers.h"
#include "store/startup.h"
#include "store/version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace dajdor {
namespace {
constexpr int kStartDelayMilliseconds = 1000;
const QColor kTop(0x81A2D3);
const QColor kBottom(0x365F9C);
const QColor kFrame(0x1F3A63);

QLabel* titleLabel(const QString& name, const QColor& colour, QWidget* parent) {
  auto* label = new QLabel(kVersionTitle, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 2.0);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
  label->setAlignment(Qt::AlignCenter);
  return label;
}
}  // namespace

StartupWindow::StartupWindow(AppContext& context, QList<IniRow> iniRows, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(context),
      iniRows_(std::move(iniRows)) {
  setObjectName("TForm1");
  setWindowTitle(QStringLiteral("Dajdor 2013 - Initializare"));
  setFixedSize(500, 250);
  setCursor(Qt::WaitCursor);

  // The title twice: a dark copy a little lower and to the right gives the
  // lighter one its shadow.
  QLabel* shadow = titleLabel("titleShadowLabel", QColor(0x14284A), this);
  QLabel* title = titleLabel("titleLabel", Qt::white, this);
  shadow->setGeometry(2, 32, width(), 48);
  title->setGeometry(0, 30, width(), 48);

  auto* line = new QLabel(QStringLiteral("Evidenta taxelor si impozitelor locale."), this);
  line->setObjectName("lineLabel");
  line->setAlignment(Qt::AlignCenter);
  QFont lineFont = line->font();
  lineFont.setItalic(true);
  lineFont.setPointSizeF(lineFont.pointSizeF() * 1.2);
  line->setFont(lineFont);
  line->setStyleSheet("color: white; background: transparent;");
  line->setGeometry(0, 96, width(), 28);

  status_ = new QLabel(QStringLiteral("Incarcare date"), this);
  status_->setObjectName("statusLabel");
  status_->setStyleSheet("color: white; background: transparent;");
  status_->setGeometry(30, 170, width() - 60, 20);

  progress_ = new QProgressBar(this);
  progress_->setObjectName("progressBar");
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setGeometry(30, 194, width() - 60, 18);

  timer_.setSingleShot(true);
  timer_.setInterval(kStartDelayMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &StartupWindow::initialise);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void StartupWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Start-up runs once per process, however often the window is shown.
  if (!started_) timer_.start();
}

void StartupWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
  gradient.setColorAt(0, kTop);
  gradient.setColorAt(1, kBottom);
  painter.fillRect(rect(), gradient);
  painter.setPen(QPen(kFrame, 2));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

void StartupWindow::StepProgress(int n) {
  progress_->setValue(std::min(progress_->maximum(), progress_->value() + n));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StartupWindow::showStatus(const QString& text) {
  status_->setText(text);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StartupWindow::initialise() {
  if (started_) return;
  started_ = true;
  timer_.stop();

  StartupOptions options;
  options.appDir = context_.paths.appDir;
  options.today = context_.clock.today();
  options.iniRows = iniRows_;
  options.stepProgress = [this](int n) { StepProgress(n); };
  options.showStatus = [this](const QString& text) { showStatus(text); };
  try {
    StartupResult result = runStartup(options, *context_.interaction);
    context_.paths = result.paths;
    context_.database = std::move(result.database);
    context_.databaseEmpty = result.databaseEmpty;
    context_.villages = result.villages;
    loadSettings(context_);
  } catch (const std::exception& e) {
    // The sequence reports what it expects; anything else still must not keep
    // the main window from appearing.
    context_.interaction->error(QStringLiteral("Initializare"),
                                QStringLiteral("Pornirea programului nu s-a incheiat:\r") +
                                    sql::message(e));
  }

  unsetCursor();
  hide();
  emit handedOver();
}

}  // namespace dajdor
