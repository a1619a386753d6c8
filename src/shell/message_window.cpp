#include "shell/message_window.h"

#include "widgets/colour_button_widget.h"
#include "widgets/gradient_panel_widget.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace dajdor {
namespace {
constexpr int kHeaderHeight = 44;
constexpr int kBandHeight = 42;
constexpr int kButtonHeight = 26;
constexpr int kMinBodyHeight = 64;
constexpr int kMaxBodyHeight = 420;
constexpr int kBodyMargin = 12;
// A line is wrapped only past this width; the window grows up to it so that
// the Parts' lines, written for one line each, stay whole.
constexpr int kMaxWidth = 720;

QStyle::StandardPixmap iconFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QStyle::SP_MessageBoxWarning;
    case MessageKind::Information: return QStyle::SP_MessageBoxInformation;
    case MessageKind::Confirmation: return QStyle::SP_MessageBoxQuestion;
    case MessageKind::Error: break;
  }
  return QStyle::SP_MessageBoxCritical;
}

QColor colour(unsigned rgb) { return QColor(QRgb(rgb)); }
}  // namespace

MessageWindow::MessageWindow(const QString& title, const QString& message, int buttons, int kind,
                             QWidget* parent)
    // Kept on top: a modal message hidden behind the start-up window (itself on
    // top) would leave the program waiting for an answer nobody can give.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName("TErori");
  const MessageKind messageKind = messageKindFromValue(kind);
  const MessageStyle& style = messageStyle(messageKind);
  setWindowTitle(style.caption);

  header_ = new GradientPanel(this);
  header_->setObjectName("header");
  header_->setColours(colour(style.headerFrom), colour(style.headerTo));
  header_->setFixedHeight(kHeaderHeight);
  icon_ = new QLabel(header_);
  icon_->setObjectName("icon");
  icon_->setPixmap(this->style()->standardIcon(iconFor(messageKind)).pixmap(32, 32));
  heading_ = new QLabel(title, header_);
  heading_->setObjectName("heading");
  QFont headingFont = heading_->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
  heading_->setFont(headingFont);
  heading_->setStyleSheet("color: white;");
  auto* shadow = new QGraphicsDropShadowEffect(heading_);
  shadow->setOffset(1, 1);
  shadow->setBlurRadius(0);
  shadow->setColor(QColor(0, 0, 0, 160));
  heading_->setGraphicsEffect(shadow);
  auto* headerLayout = new QHBoxLayout(header_);
  headerLayout->setContentsMargins(8, 4, 8, 4);
  headerLayout->addWidget(icon_);
  headerLayout->addWidget(heading_, 1);

  body_ = new QTextEdit(this);
  body_->setObjectName("body");
  body_->setReadOnly(true);
  body_->setFrameShape(QFrame::NoFrame);
  body_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  body_->setFocusPolicy(Qt::NoFocus);
  body_->setLineWrapMode(QTextEdit::WidgetWidth);
  body_->document()->setDocumentMargin(kBodyMargin);
  body_->setStyleSheet("QTextEdit#body { background: white; }");
  QFont bodyFont = body_->font();
  bodyFont.setPointSizeF(bodyFont.pointSizeF() * 1.1);
  body_->document()->setDefaultFont(bodyFont);
  fillBody(message);

  // Width: the widest line unwrapped, at least the button band, at most kMaxWidth.
  const std::unique_ptr<QTextDocument> probe(body_->document()->clone());
  probe->setDocumentMargin(kBodyMargin);
  probe->setTextWidth(-1);  // unwrapped
  const int screenWidth = screen() ? screen()->availableGeometry().width() - 40 : kMaxWidth;
  const int width = std::clamp(int(std::ceil(probe->idealWidth())) + 2 * kBodyMargin + 8,
                               kMessageButtonBand, std::max(kMessageButtonBand, std::min(kMaxWidth, screenWidth)));

  band_ = new GradientPanel(this);
  band_->setObjectName("band");
  band_->setColours(colour(style.headerFrom), colour(style.headerTo));
  band_->setFixedSize(width, kBandHeight);
  // The buttons keep their places in a strip of the band's own width, centred.
  buttonStrip_ = new QWidget(band_);
  buttonStrip_->setObjectName("buttons");
  buttonStrip_->setGeometry((width - kMessageButtonBand) / 2, 0, kMessageButtonBand, kBandHeight);
  placeButtons(buttons, style);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header_);
  layout->addWidget(body_, 1);
  layout->addWidget(band_);

  // Height follows the text at that width (measured on the copy: the edit lays
  // its own document out at its present, not yet final, width).
  probe->setTextWidth(width);
  const int bodyHeight = std::min(kMaxBodyHeight, int(probe->size().height()) + 4);
  body_->setFixedHeight(std::max(bodyHeight, kMinBodyHeight));
  setFixedSize(width, kHeaderHeight + body_->height() + kBandHeight);
}

void MessageWindow::centreOnScreen() {
  // Always the middle of the screen, whichever window asked: over the main
  // bar at the top the message would jump from one showing to the next.
  const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
  if (!shown) shown = QGuiApplication::primaryScreen();
  if (!shown) return;
  const QRect area = shown->availableGeometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void MessageWindow::fillBody(const QString& message) {
  QTextCursor cursor(body_->document());
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  bool firstLine = true;
  for (const MessageLine& line : parseMessage(message)) {
    if (firstLine) {
      cursor.setBlockFormat(centred);
    } else {
      cursor.insertBlock(centred);
    }
    firstLine = false;
    for (const TextRun& run : line) {
      QTextCharFormat format;
      format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
      cursor.insertText(run.text, format);
    }
  }
}

void MessageWindow::placeButtons(int buttons, const MessageStyle& style) {
  const ButtonColours colours{colour(style.buttonNormal), colour(style.buttonPressed),
                              colour(style.buttonHot), colour(style.buttonLight),
                              colour(style.buttonShadow)};
  int shown = 0;
  for (const MessageButtonSpec& spec : messageButtons()) shown += (buttons & spec.bit) ? 1 : 0;

  int rank = 0;
  for (const MessageButtonSpec& spec : messageButtons()) {
    auto* button = new ColourButton(QString::fromLatin1(spec.caption), buttonStrip_);
    button->setObjectName(QString::fromLatin1(spec.caption));
    button->setColours(colours);
    button->setAutoDefault(true);  // Enter presses the button that has the focus
    buttons_.append(button);
    if (!(buttons & spec.bit)) {
      button->hide();
      continue;
    }
    ++rank;
    button->setGeometry(messageButtonLeft(rank, shown), (kBandHeight - kButtonHeight) / 2,
                        kMessageButtonWidth, kButtonHeight);
    if (rank == 1) button->setFocus();
    const int result = spec.result;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
  }
}

QString MessageWindow::heading() const { return heading_->text(); }

ColourButton* MessageWindow::button(const QString& caption) const {
  for (ColourButton* b : buttons_) {
    if (b->text() == caption) return b;
  }
  return nullptr;
}

void MessageWindow::reject() { done(Answer::Cancel); }

int MessageWindow::ask(const QString& title, const QString& message, int buttons, int kind,
                       QWidget* parent) {
  bool any = false;
  for (const MessageButtonSpec& spec : messageButtons()) any = any || (buttons & spec.bit);
  if (!any) return Answer::Cancel;
  MessageWindow window(title, message, buttons, kind, parent);
  window.centreOnScreen();
  return window.exec();
}

int Mesaj(const QString& title, const QString& message, int buttons, int kind) {
  return MessageWindow::ask(title, message, buttons, kind, QApplication::activeWindow());
}

}  // namespace dajdor
