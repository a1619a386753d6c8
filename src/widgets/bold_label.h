// Titles and headings of the windows: a label in bold, optionally larger.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace dajdor {

QLabel* boldLabel(const QString& text, int pointDelta, QWidget* parent);

}  // namespace dajdor
