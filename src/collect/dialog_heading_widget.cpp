#include "collect/dialog_heading_widget.h"

#include "widgets/gradient_panel_widget.h"

#include <QHBoxLayout>
#include <QLabel>

namespace dajdor::collect {

QWidget* dialogHeading(const QString& text, QWidget* parent) {
  auto* heading = new GradientPanel(parent);
  heading->setColours(QColor("#3966A8"), QColor("#000093"));
  auto* layout = new QHBoxLayout(heading);
  auto* title = new QLabel(text, heading);
  title->setObjectName("Heading");
  title->setStyleSheet("QLabel { color: white; font-size: 14pt; font-weight: bold; }");
  layout->addWidget(title);
  return heading;
}

}  // namespace dajdor::collect
