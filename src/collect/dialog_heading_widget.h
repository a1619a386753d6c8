// The blue heading band of the collection dialogs.
#pragma once

#include <QString>

class QWidget;

namespace dajdor::collect {

QWidget* dialogHeading(const QString& text, QWidget* parent);

}  // namespace dajdor::collect
