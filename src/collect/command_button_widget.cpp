#include "collect/command_button_widget.h"

#include <QBoxLayout>
#include <QPushButton>

namespace dajdor::collect {

QPushButton* commandButton(const QString& text, const QString& name, QBoxLayout* into, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setMinimumHeight(28);
  if (into) into->addWidget(button);
  return button;
}

}  // namespace dajdor::collect
