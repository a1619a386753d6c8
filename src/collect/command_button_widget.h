// A button of the payment windows: named for tests, placed in its row or column,
// and never the default, so Enter keeps walking the inputs.
#pragma once

#include <QString>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace dajdor::collect {

QPushButton* commandButton(const QString& text, const QString& name, QBoxLayout* into, QWidget* parent);

}  // namespace dajdor::collect
