#include "collect/document_heading_widget.h"

#include "collect/payment_operation.h"
#include "widgets/date_time_typing.h"
#include "widgets/numeric_edit_widget.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace dajdor::collect {

DocumentHeading documentHeading(const QList<QWidget*>& lead, QWidget* parent) {
  DocumentHeading h{};
  h.seriesCaption = new QLabel("Seria", parent);
  h.series = new QLabel(parent);
  h.series->setObjectName("Seria");
  h.series->setMinimumWidth(h.series->fontMetrics().horizontalAdvance("MMMMMMMMMM"));
  QFont bold = h.series->font();
  bold.setBold(true);
  h.series->setFont(bold);
  h.number = new NumericEdit(NumericEdit::Kind::Whole, 10, parent);
  h.number->setObjectName(kDocumentNumberField);
  h.date = new QDateEdit(parent);
  h.date->setObjectName(kDocumentDateField);
  h.date->setDisplayFormat("dd.MM.yyyy");
  h.date->setCalendarPopup(true);
  letDigitsOverwriteSections(h.date);
  h.row = new QHBoxLayout;
  for (QWidget* w : lead) h.row->addWidget(w);
  h.row->addSpacing(16);
  h.row->addWidget(h.seriesCaption);
  h.row->addWidget(h.series);
  h.row->addWidget(new QLabel("Nr.", parent));
  h.row->addWidget(h.number);
  h.row->addSpacing(16);
  h.row->addWidget(new QLabel("din data", parent));
  h.row->addWidget(h.date);
  h.row->addStretch(1);
  return h;
}

void addCaptionedPairs(QGridLayout* grid, int firstRow, const QList<QPair<QString, QWidget*>>& pairs) {
  for (int i = 0; i < pairs.size(); ++i) {
    const int row = firstRow + i / 2;
    const int column = 2 * (i % 2);
    auto* caption = new QLabel(pairs[i].first, grid->parentWidget());
    grid->addWidget(caption, row, column, Qt::AlignRight | Qt::AlignVCenter);
    if (pairs[i].second) grid->addWidget(pairs[i].second, row, column + 1);
  }
}

void showReadOnly(QLineEdit* input, bool readOnly) {
  input->setReadOnly(readOnly);
  input->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
  input->setStyleSheet(readOnly ? QStringLiteral("QLineEdit { background: #EEEEEE; }") : QString());
}

}  // namespace dajdor::collect
