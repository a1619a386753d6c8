#include "collect/command_button_widget.h"

#include "widgets/record_grid.h"

#include <QBoxLayout>
#include <QPushButton>

namespace dajdor::collect {

QPushButton* commandButton(const QString& text, const QString& name, QBoxLayout* into, QWidget* parent) {
  QPushButton* button = plainButton(name, text, parent);
  button->setMinimumHeight(28);
  if (into) into->addWidget(button);
  return button;
}

}  // namespace dajdor::collect
