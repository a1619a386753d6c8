#include "report/report_document.h"

#include <algorithm>

namespace dajdor::report {

QStringList ReportPage::texts() const {
  QList<const ReportItem*> texts;
  for (const ReportItem& item : items) {
    if (item.kind == ItemKind::Text && !item.lines.isEmpty()) texts.append(&item);
  }
  std::stable_sort(texts.begin(), texts.end(), [](const ReportItem* a, const ReportItem* b) {
    if (qAbs(a->rect.top() - b->rect.top()) > 0.01) return a->rect.top() < b->rect.top();
    return a->rect.left() < b->rect.left();
  });
  QStringList result;
  for (const ReportItem* item : texts) result.append(item->text());
  return result;
}

}  // namespace dajdor::report
