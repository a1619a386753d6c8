// Fonts and text fitting, in millimetres, shared by the layout and the painter so
// that what is measured is what is drawn. Measuring needs a QGuiApplication.
#pragma once

#include "report/report_definition.h"

#include <QFont>

namespace dajdor::report {

QFont reportFont(const TextStyle& style);
// Distance between two lines of the style.
double lineHeight(const TextStyle& style);
// The lines of `text` fitted to `width` by `fit`; for WrapInBox at most as many
// as `height` holds (always at least one). Explicit line breaks are kept.
QStringList fitText(const QString& text, const TextStyle& style, double width, double height, TextFit fit);

}  // namespace dajdor::report
