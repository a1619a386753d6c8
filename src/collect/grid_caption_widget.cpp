#include "collect/grid_caption_widget.h"

#include <QLabel>

namespace dajdor::collect {

QLabel* gridCaption(const QString& text, QWidget* parent) {
  auto* caption = new QLabel(text, parent);
  caption->setStyleSheet("QLabel { background: #3966A8; color: white; font-weight: bold; padding: 2px; }");
  return caption;
}

}  // namespace dajdor::collect
