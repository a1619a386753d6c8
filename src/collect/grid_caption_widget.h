// The blue caption band over a grid of the collection windows.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace dajdor::collect {

QLabel* gridCaption(const QString& text, QWidget* parent);

}  // namespace dajdor::collect
