#include "report/report_layout.h"

#include "report/report_text.h"

#include <algorithm>
#include <cmath>

namespace dajdor::report {

namespace {

constexpr double kEpsilon = 1e-6;
const QString kPageToken = QStringLiteral("{page}");
const QString kPagesToken = QStringLiteral("{pages}");
const QString kRowToken = QStringLiteral("{row}");

// The rows a band is printed for: one row for the detail, a group or the whole
// report for group bands and the summary.
struct Scope {
  int first = 0;
  int end = 0;  // one past the last row
};

class Layouter {
 public:
  Layouter(const ReportDefinition& definition, const ReportData& rows) : def_(definition), rows_(rows) {
    doc_.title = def_.name;
    doc_.pageSize = def_.pageSize;
    footerTop_ = def_.pageSize.height() - def_.margins.bottom() - def_.pageFooter.height;
  }

  ReportDocument run() {
    startPage(true);
    const int count = rows_.rowCount();
    int groupStart = 0;
    for (int row = 0; row < count; ++row) {
      if (def_.group && (row == 0 || groupKey(row) != groupKey(row - 1))) {
        if (row > 0) place(def_.group->footer, {groupStart, row}, true);
        groupStart = row;
        place(def_.group->header, {row, row + 1}, true);
      }
      place(def_.detail, {row, row + 1}, true);
    }
    if (def_.group && count > 0) place(def_.group->footer, {groupStart, count}, true);
    place(def_.summary, {0, count}, true);
    finishPages();
    return doc_;
  }

 private:
  QString groupKey(int row) const { return rows_.value(row, def_.group->field); }

  // The title opens the first page, above the page header.
  void startPage(bool first = false) {
    doc_.pages.append(ReportPage());
    y_ = def_.margins.top();
    pageHasBands_ = false;
    if (first) place(def_.title, {0, rows_.rowCount()}, false);
    place(def_.pageHeader, {0, 0}, false);
  }

  // Bands that may move to the next page say so; the title and page header are
  // where they are.
  void place(const Band& band, const Scope& scope, bool breakable) {
    if (band.isEmpty()) return;
    QList<QStringList> texts;
    double growth = fitElements(band, scope, texts);
    if (breakable && pageHasBands_ && y_ + band.height + growth > footerTop_ + kEpsilon) {
      startPage();
      // Texts printing the page number are fitted again for the new page.
      texts.clear();
      growth = fitElements(band, scope, texts);
    }
    const double height = band.height + growth;
    const int pageIndex = static_cast<int>(doc_.pages.size() - 1);
    const qsizetype firstItem = doc_.pages.last().items.size();
    putBand(pageIndex, band, texts, growth, y_);
    for (qsizetype i = 0; i < band.elements.size(); ++i) {
      const BandElement& element = band.elements[i];
      if (element.field.isEmpty() && element.text.contains(kPagesToken)) {
        pending_.append({pageIndex, static_cast<int>(firstItem + i), &element});
      }
    }
    y_ += height;
    if (breakable) pageHasBands_ = true;
  }

  // Fits every text element; returns how much taller the band must grow for its
  // wrapped texts.
  double fitElements(const Band& band, const Scope& scope, QList<QStringList>& texts) const {
    double growth = 0;
    for (const BandElement& element : band.elements) {
      if (element.kind != ItemKind::Text) {
        texts.append(QStringList());
        continue;
      }
      const QStringList lines = fitText(elementText(element, scope), element.style, element.rect.width(),
                                        element.rect.height(), element.fit);
      if (element.fit == TextFit::Wrap) {
        growth = std::max(growth, lines.size() * lineHeight(element.style) - element.rect.height());
      }
      texts.append(lines);
    }
    return growth;
  }

  QString elementText(const BandElement& element, const Scope& scope) const {
    if (element.field.isEmpty()) {
      QString text = element.text;
      text.replace(kRowToken, QString::number(scope.first + 1));
      text.replace(kPageToken, QString::number(doc_.pages.size()));
      return text;
    }
    switch (element.aggregate) {
      case Aggregate::Count:
        return QString::number(scope.end - scope.first);
      case Aggregate::Sum: {
        double total = 0;
        for (int row = scope.first; row < scope.end; ++row)
          total += rows_.value(row, element.field).toDouble();
        // A sum is a number even where the element leaves the format as text.
        const FieldFormat format = element.format == FieldFormat::Text ? FieldFormat::Amount : element.format;
        return formatValue(QString::number(total, 'f', 6), format);
      }
      case Aggregate::None:
        break;
    }
    return formatValue(rows_.value(scope.first, element.field), element.format);
  }

  // Elements reaching the band's foot (frames, column rules) grow with it.
  void putBand(int pageIndex, const Band& band, const QList<QStringList>& texts, double growth, double top) {
    ReportPage& page = doc_.pages[pageIndex];
    for (qsizetype i = 0; i < band.elements.size(); ++i) {
      const BandElement& element = band.elements[i];
      ReportItem item;
      item.kind = element.kind;
      item.rect = element.rect.translated(def_.margins.left(), top);
      const bool reachesFoot = std::max(element.rect.top(), element.rect.bottom()) >= band.height - kEpsilon;
      if (growth > 0 && reachesFoot) {
        if (element.rect.bottom() >= element.rect.top()) {
          item.rect.setBottom(item.rect.bottom() + growth);
        } else {
          item.rect.setTop(item.rect.top() + growth);
        }
      }
      if (element.kind == ItemKind::Text && element.fit == TextFit::Wrap) {
        item.rect.setHeight(std::max(item.rect.height(), texts[i].size() * lineHeight(element.style)));
      }
      item.lines = texts[i];
      item.style = element.style;
      item.alignment = element.alignment;
      item.penWidth = element.penWidth;
      item.dashed = element.dashed;
      page.items.append(item);
    }
  }

  // Texts printing the number of pages are fitted again once it is known, and the
  // page footer goes on every page.
  void finishPages() {
    const QString pages = QString::number(doc_.pages.size());
    for (const Pending& pending : pending_) {
      ReportItem& item = doc_.pages[pending.page].items[pending.item];
      QString text = pending.element->text;
      text.replace(kPagesToken, pages).replace(kPageToken, QString::number(pending.page + 1));
      item.lines = fitText(text, item.style, item.rect.width(), item.rect.height(), pending.element->fit);
    }
    if (def_.pageFooter.isEmpty()) return;
    for (qsizetype index = 0; index < doc_.pages.size(); ++index) {
      Band footer = def_.pageFooter;
      for (BandElement& element : footer.elements) {
        element.text.replace(kPagesToken, pages).replace(kPageToken, QString::number(index + 1));
      }
      QList<QStringList> texts;
      fitElements(footer, {0, rows_.rowCount()}, texts);
      putBand(static_cast<int>(index), footer, texts, 0, footerTop_);
    }
  }

  struct Pending {
    int page;
    int item;
    const BandElement* element;
  };

  const ReportDefinition& def_;
  const ReportData& rows_;
  ReportDocument doc_;
  double y_ = 0;
  double footerTop_ = 0;
  bool pageHasBands_ = false;
  QList<Pending> pending_;
};

}  // namespace

QString formatValue(const QString& value, FieldFormat format) {
  if (format == FieldFormat::Text || value.trimmed().isEmpty()) return value;
  bool ok = false;
  const double number = value.trimmed().toDouble(&ok);
  if (!ok) return value;
  const int decimals = format == FieldFormat::Whole ? 0 : 2;
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(number * scale) / scale;
  // A value rounding to zero prints without a sign.
  return QString::number(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}

ReportDocument layOutReport(const ReportDefinition& definition, const ReportData& rows) {
  return Layouter(definition, rows).run();
}

}  // namespace dajdor::report
