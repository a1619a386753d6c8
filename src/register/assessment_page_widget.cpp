#include "register/assessment_page_widget.h"

#include "store/sql_helpers.h"
#include "widgets/bold_label.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dajdor::reg {
namespace {

constexpr char kDateFormat[] = "dd.MM.yyyy";

// The numeric input of the pages, shaped as its column: the program's shared
// numeric input, signed, with the column's digits before and after the point.
QLineEdit* makeNumberInput(const PageInput& in, QWidget* parent) {
  auto* edit = new NumericEdit(in.decimals > 0 ? NumericEdit::Kind::Decimal : NumericEdit::Kind::Whole, in.digits,
                               parent);
  edit->setShape(in.wholeDigits(), in.decimals, true);
  return edit;
}

}  // namespace

AssessmentPageWidget::AssessmentPageWidget(int page, AppContext& context, QWidget* parent)
    : QWidget(parent), page_(assessmentPage(page)), context_(context) {
  setObjectName(page_.id);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  QLabel* title = boldLabel(page_.title, 3, this);
  title->setObjectName("PageTitle");
  title->setWordWrap(true);
  layout->addWidget(title);
  if (!page_.heading.isEmpty()) {
    QLabel* heading = boldLabel(page_.heading, 0, this);
    heading->setObjectName("PageHeading");
    heading->setWordWrap(true);
    layout->addWidget(heading);
  }

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("PageScroll");
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);  // Enter and Tab go from input to input only
  auto* content = new QWidget(scroll_);
  auto* sides = new QHBoxLayout(content);
  sides->setContentsMargins(0, 0, 0, 0);
  QVBoxLayout* columns[2] = {new QVBoxLayout, new QVBoxLayout};
  for (const PageSection& section : page_.sections) columns[section.side]->addWidget(createSection(section));
  alignCaptions();
  for (QVBoxLayout* column : columns) {
    if (column->count() == 0) {
      delete column;
      continue;
    }
    column->addStretch(1);
    sides->addLayout(column);
  }
  scroll_->setWidget(content);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(scroll_, 1);

  new EnterNavigation(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { onFocusChanged(now); });
  clear();
}

QWidget* AssessmentPageWidget::createSection(const PageSection& section) {
  auto* frame = new QFrame;
  if (!section.id.isEmpty()) frame->setObjectName(section.id);
  frame->setFrameShape(section.heading.isEmpty() ? QFrame::NoFrame : QFrame::StyledPanel);
  if (section.audience != Audience::Everyone) panels_.append({frame, section.audience});
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(8, 4, 8, 4);
  if (!section.heading.isEmpty()) layout->addWidget(boldLabel(section.heading, 0, frame));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(3);
  int row = 0;
  if (!section.columns.isEmpty()) {
    for (int c = 0; c < section.columns.size(); ++c) {
      auto* header = new QLabel(section.columns[c], frame);
      header->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
      grid->addWidget(header, row, c + 1);
    }
    ++row;
  }
  for (const PageRow& r : section.rows) {
    auto* caption = new QLabel(r.caption, frame);
    if (!r.captionId.isEmpty()) caption->setObjectName(r.captionId);
    captions_[section.side].append(caption);
    grid->addWidget(caption, row, 0);
    for (const PageInput& in : r.inputs) grid->addWidget(createInput(in, frame), row, in.position + 1, Qt::AlignHCenter);
    ++row;
  }
  grid->setColumnStretch(grid->columnCount(), 1);
  layout->addLayout(grid);
  return frame;
}

QWidget* AssessmentPageWidget::createInput(const PageInput& in, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (in.kind) {
    case PageInputKind::Quantity: {
      QLineEdit* edit = makeNumberInput(in, parent);
      connect(edit, &QLineEdit::textEdited, this, &AssessmentPageWidget::onEdited);
      widget = edit;
      break;
    }
    case PageInputKind::Position:
    case PageInputKind::ListText: {
      auto* combo = new QComboBox(parent);
      combo->addItems(in.items);
      connect(combo, &QComboBox::currentIndexChanged, this, &AssessmentPageWidget::onEdited);
      widget = combo;
      break;
    }
    case PageInputKind::YesNo: {
      auto* check = new QCheckBox(in.label, parent);
      connect(check, &QCheckBox::toggled, this, &AssessmentPageWidget::onEdited);
      widget = check;
      break;
    }
    case PageInputKind::Date: {
      auto* date = new QDateEdit(parent);
      date->setDisplayFormat(kDateFormat);
      date->setCalendarPopup(true);
      connect(date, &QDateEdit::dateChanged, this, &AssessmentPageWidget::onEdited);
      widget = date;
      break;
    }
    case PageInputKind::Display: {
      auto* label = new QLabel(parent);
      label->setFrameShape(QFrame::StyledPanel);
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance("000000000.00") + 8);
      widget = label;
      break;
    }
  }
  widget->setObjectName(in.name);
  if (!in.caption.isEmpty()) widget->setToolTip(QString(in.caption).replace('\n', ' '));
  inputs_.insert(in.name.toUpper(), widget);
  return widget;
}

void AssessmentPageWidget::alignCaptions() {
  // One caption width per side, so the inputs of consecutive sections stand in one column.
  for (const QList<QLabel*>& side : captions_) {
    int width = 0;
    for (QLabel* caption : side) width = std::max(width, caption->sizeHint().width());
    for (QLabel* caption : side) caption->setMinimumWidth(width);
  }
}

AssessmentFile AssessmentPageWidget::file() const {
  return {*context_.database, context_.paths.dataDir, context_.rates, kWorkYear};
}

PageValues AssessmentPageWidget::values() const {
  PageValues values;
  for (const PageInput* in : page_.inputs()) {
    QWidget* widget = input(in->name);
    switch (in->kind) {
      case PageInputKind::Quantity: values.insert(in->name, static_cast<QLineEdit*>(widget)->text()); break;
      case PageInputKind::Position:
        values.insert(in->name, QString::number(static_cast<QComboBox*>(widget)->currentIndex()));
        break;
      case PageInputKind::ListText: values.insert(in->name, static_cast<QComboBox*>(widget)->currentText()); break;
      case PageInputKind::YesNo:
        values.insert(in->name, static_cast<QCheckBox*>(widget)->isChecked() ? "DA" : "NU");
        break;
      case PageInputKind::Date:
        values.insert(in->name, static_cast<QDateEdit*>(widget)->date().toString(kDateFormat));
        break;
      case PageInputKind::Display: values.insert(in->name, static_cast<QLabel*>(widget)->text()); break;
    }
  }
  return values;
}

void AssessmentPageWidget::showValues(const PageValues& values) {
  showing_ = true;
  for (const PageInput* in : page_.inputs()) {
    QWidget* widget = input(in->name);
    const QString text = values.value(in->name);
    switch (in->kind) {
      case PageInputKind::Quantity: static_cast<QLineEdit*>(widget)->setText(text); break;
      case PageInputKind::Position: {
        auto* combo = static_cast<QComboBox*>(widget);
        const int position = text.toInt();
        combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
        break;
      }
      case PageInputKind::ListText:
        static_cast<QComboBox*>(widget)->setCurrentIndex(static_cast<QComboBox*>(widget)->findText(text));
        break;
      case PageInputKind::YesNo: static_cast<QCheckBox*>(widget)->setChecked(text == "DA"); break;
      case PageInputKind::Date:
        static_cast<QDateEdit*>(widget)->setDate(QDate::fromString(text, kDateFormat));
        break;
      case PageInputKind::Display: static_cast<QLabel*>(widget)->setText(text); break;
    }
  }
  showing_ = false;
}

void AssessmentPageWidget::showPanels(bool legalPerson) {
  for (const auto& [panel, audience] : panels_)
    panel->setVisible(audience == (legalPerson ? Audience::LegalPersons : Audience::NaturalPersons));
}

void AssessmentPageWidget::onEdited() {
  if (showing_) return;
  if (page_.number == 2 || page_.number == 3) {
    PageValues now = values();
    updateDisplays(page_.number, now, context_.rates);
    showing_ = true;
    for (auto it = now.constBegin(); it != now.constEnd(); ++it)
      if (const PageInput* in = page_.input(it.key()); in && !in->stored())
        static_cast<QLabel*>(input(in->name))->setText(*it);
    showing_ = false;
  }
  modified_ = true;
  emit modified();
}

void AssessmentPageWidget::onFocusChanged(QWidget* now) {
  if (!now || !scroll_->widget()->isAncestorOf(now)) return;
  scroll_->ensureWidgetVisible(now, 8, 24);
  // The section's heading and column headers too, when they fit on screen with the input.
  QWidget* content = scroll_->widget();
  const int top = now->parentWidget()->mapTo(content, QPoint(0, 0)).y();
  const int bottom = now->mapTo(content, QPoint(0, now->height())).y();
  if (bottom - top + 8 < scroll_->viewport()->height()) scroll_->ensureVisible(0, top, 0, 4);
}

void AssessmentPageWidget::load(qint64 idgos) {
  idgos_ = idgos;
  if (!context_.database) return;
  try {
    const LoadedPage loaded = LoadPage(file(), page_.number, idgos);
    showValues(loaded.values);
    showPanels(loaded.legalPerson);
  } catch (const std::exception& e) {
    clear();
    if (context_.interaction) context_.interaction->error("Eroare", sql::message(e));
  }
  modified_ = false;
}

bool AssessmentPageWidget::store() {
  if (!context_.database || !context_.interaction || idgos_ == 0) return false;
  const StoreResult result = StorePage(file(), page_.number, idgos_, values(), *context_.interaction);
  switch (result.outcome) {
    case StoreOutcome::Stored: modified_ = false; return true;
    case StoreOutcome::Refused:
      if (QWidget* at = input(result.field)) at->setFocus(Qt::OtherFocusReason);
      return false;
    case StoreOutcome::Locked: load(idgos_); return false;
    case StoreOutcome::Failed: return false;
  }
  return false;
}

void AssessmentPageWidget::clear() {
  showValues(ClearPage(page_.number, context_.rates, kWorkYear));
  showPanels(false);
  modified_ = false;
}

}  // namespace dajdor::reg
