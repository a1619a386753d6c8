#include "report/report_text.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace dajdor::report {

namespace {

constexpr double kMeasureDpi = 1200;
constexpr double kDotsPerMm = kMeasureDpi / 25.4;

// Text is measured on a device of a fixed, fine resolution, so the layout does
// not depend on the screen the program happens to run on.
const QPaintDevice& measureDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_Mono);
    const int dotsPerMeter = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  return device;
}

QString clipToWidth(const QString& text, const QFontMetricsF& metrics, double widthDots) {
  if (metrics.horizontalAdvance(text) <= widthDots) return text;
  qsizetype low = 0;
  qsizetype high = text.size();  // text.left(high) is too wide
  while (high - low > 1) {
    const qsizetype middle = (low + high) / 2;
    if (metrics.horizontalAdvance(text.left(middle)) <= widthDots) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return text.left(low);
}

QStringList wrapParagraph(const QString& paragraph, const QFont& font, double widthDots) {
  if (paragraph.isEmpty()) return {QString()};
  QTextLayout layout(paragraph, font, &measureDevice());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(widthDots);
    lines.append(paragraph.mid(line.textStart(), line.textLength()));
  }
  layout.endLayout();
  // A wrapped line keeps the blank it broke at; a text that fits stays as given.
  if (lines.size() > 1) {
    for (QString& line : lines) {
      while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    }
  }
  return lines;
}

}  // namespace

QFont reportFont(const TextStyle& style) {
  QFont font(style.family);
  font.setPointSizeF(style.pointSize);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  // Unhinted outlines measure the same at every resolution; without shaping no
  // ligature replaces "fi", so the PDF's text is searchable as typed.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
  return font;
}

double lineHeight(const TextStyle& style) {
  return QFontMetricsF(reportFont(style), &measureDevice()).lineSpacing() / kDotsPerMm;
}

QStringList fitText(const QString& text, const TextStyle& style, double width, double height, TextFit fit) {
  const QFont font = reportFont(style);
  const QFontMetricsF metrics(font, &measureDevice());
  const double widthDots = std::max(0.0, width * kDotsPerMm);
  const QStringList paragraphs = text.split(QLatin1Char('\n'));
  if (fit == TextFit::Clip) return {clipToWidth(paragraphs.first(), metrics, widthDots)};

  QStringList lines;
  for (const QString& paragraph : paragraphs) lines += wrapParagraph(paragraph, font, widthDots);
  if (fit == TextFit::WrapInBox) {
    const auto fitting = static_cast<qsizetype>(std::floor(height / lineHeight(style) + 1e-6));
    if (lines.size() > std::max<qsizetype>(1, fitting)) lines.resize(std::max<qsizetype>(1, fitting));
  }
  return lines;
}

}  // namespace dajdor::report
