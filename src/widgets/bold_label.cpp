#include "widgets/bold_label.h"

#include <QLabel>

namespace dajdor {

QLabel* boldLabel(const QString& text, int pointDelta, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSize(font.pointSize() + pointDelta);
  label->setFont(font);
  return label;
}

}  // namespace dajdor
