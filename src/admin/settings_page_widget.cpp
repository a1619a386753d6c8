#include "admin/settings_page_widget.h"

#include "admin/path_settings.h"
#include "admin/settings_store.h"
#include "widgets/bold_label.h"
#include "widgets/date_time_typing.h"
#include "widgets/numeric_edit_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dajdor::admin {
namespace {

constexpr char kTimeFormat[] = "HH:mm";

}  // namespace

SettingsPageWidget::SettingsPageWidget(const SettingPage& page, QWidget* parent)
    : QWidget(parent), page_(page) {
  setObjectName(page.id);
  auto* layout = new QVBoxLayout(this);
  auto* titleRow = new QHBoxLayout;
  QLabel* title = boldLabel(page.title, 3, this);
  title->setObjectName("PageTitle");
  titleRow->addWidget(title, 1);
  titleButtons_ = titleRow;
  layout->addLayout(titleRow);
  if (!page.heading.isEmpty()) {
    QLabel* heading = boldLabel(page.heading, 0, this);
    heading->setObjectName("PageHeading");
    layout->addWidget(heading);
  }

  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* content = new QWidget(scroll);
  auto* sections = new QVBoxLayout(content);
  for (const SettingSection& section : page.sections) {
    auto* row = new QHBoxLayout;
    row->addWidget(createSection(section), 1);
    sections->addLayout(row);
    sectionRows_.insert(section.heading, row);
  }
  extras_ = new QVBoxLayout;
  sections->addLayout(extras_);
  sections->addStretch(1);
  // One label column for the whole page: the inputs of all its sections line up.
  for (QGridLayout* grid : grids_) grid->setColumnMinimumWidth(0, labelWidth_);
  scroll->setWidget(content);
  // The rows never scroll sideways: the page asks for the width its widest row needs.
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setMinimumWidth(content->minimumSizeHint().width() +
                          scroll->verticalScrollBar()->sizeHint().width());
  layout->addWidget(scroll, 1);
}

QWidget* SettingsPageWidget::createSection(const SettingSection& section) {
  auto* frame = new QFrame;
  frame->setFrameShape(section.heading.isEmpty() ? QFrame::NoFrame : QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(frame);
  if (!section.heading.isEmpty()) {
    auto* headingRow = new QHBoxLayout;
    QLabel* heading = boldLabel(section.heading, 0, frame);
    headingRow->addWidget(heading);
    if (!section.note.isEmpty()) headingRow->addWidget(new QLabel(section.note, frame));
    headingRow->addStretch(1);
    layout->addLayout(headingRow);
  }
  auto* grid = new QGridLayout;
  grids_.append(grid);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  int row = 0;
  if (!section.columns.isEmpty()) {
    for (int c = 0; c < section.columns.size(); ++c) {
      auto* header = new QLabel(section.columns[c], frame);
      header->setAlignment(Qt::AlignCenter);
      grid->addWidget(header, row, c + 1);
    }
    ++row;
  }
  int lastColumn = std::max<int>(1, section.columns.size());
  for (const SettingRow& r : section.rows) {
    const bool ownCaption = r.inputs.size() == 1 && r.inputs.first().kind == InputKind::Check;
    if (!ownCaption && !r.label.isEmpty()) {
      auto* label = new QLabel(r.label, frame);
      labelWidth_ = std::max(labelWidth_, label->sizeHint().width());
      grid->addWidget(label, row, 0);
    }
    for (const SettingInput& in : r.inputs) {
      QWidget* widget = createInput(in, frame);
      if (ownCaption) {
        grid->addWidget(widget, row, 0, 1, 2);
        continue;
      }
      grid->addWidget(widget, row, in.column + 1);
      if (!in.unit.isEmpty()) grid->addWidget(new QLabel(in.unit, frame), row, in.column + 2);
      lastColumn = std::max(lastColumn, in.column + 2);
      if (in.kind == InputKind::Path) {
        auto* buttons = new QHBoxLayout;
        grid->addLayout(buttons, row, in.column + 2);
        pathButtons_.insert(in.name.toUpper(), buttons);
      }
    }
    ++row;
  }
  grid->setColumnStretch(lastColumn + 1, 1);
  layout->addLayout(grid);
  layout->addStretch(1);  // a section made taller by its neighbour keeps its rows at the top
  return frame;
}

QWidget* SettingsPageWidget::createInput(const SettingInput& in, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (in.kind) {
    case InputKind::Integer:
    case InputKind::Decimal:
      widget = new NumericEdit(in.kind == InputKind::Integer ? NumericEdit::Kind::Whole : NumericEdit::Kind::Decimal,
                               in.maxLength, parent);
      break;
    case InputKind::Text: {
      auto* edit = new QLineEdit(parent);
      // The stored value has room for 40 characters; the input takes no more.
      edit->setMaxLength(std::min(in.maxLength, kIniValueWidth));
      edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * edit->maxLength() + 12);
      widget = edit;
      break;
    }
    case InputKind::Combo: {
      auto* combo = new QComboBox(parent);
      combo->addItems(in.items);
      widget = combo;
      break;
    }
    case InputKind::Check: widget = new QCheckBox(in.label, parent); break;
    case InputKind::Time: {
      auto* time = new QTimeEdit(parent);
      time->setDisplayFormat(kTimeFormat);
      time->setFixedWidth(time->sizeHint().width() + 8);
      letDigitsOverwriteSections(time);
      widget = time;
      break;
    }
    case InputKind::Path: {
      auto* label = new QLabel(parent);
      label->setFrameShape(QFrame::StyledPanel);
      label->setMinimumWidth(260);
      widget = label;
      break;
    }
  }
  widget->setObjectName(in.name);
  if (!in.hint.isEmpty()) widget->setToolTip(in.hint);
  inputs_.insert(in.name.toUpper(), widget);
  return widget;
}

void SettingsPageWidget::showValues(const Rates& values) {
  for (const SettingSection& section : page_.sections)
    for (const SettingRow& r : section.rows)
      for (const SettingInput& in : r.inputs) {
        QWidget* widget = input(in.name);
        const QString text = values.text(in.name);
        if (auto* number = qobject_cast<NumericEdit*>(widget)) {
          number->setNumberText(text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
          edit->setText(text);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          combo->setCurrentIndex(combo->findText(text));
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
          check->setChecked(values.option(in.name));
        } else if (auto* time = qobject_cast<QTimeEdit*>(widget)) {
          time->setTime(values.autoImportTime());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
          label->setText(holdsPath(text) ? text : QStringLiteral("-"));
        }
      }
}

void SettingsPageWidget::collectValues(Rates& values) const {
  for (const SettingSection& section : page_.sections)
    for (const SettingRow& r : section.rows)
      for (const SettingInput& in : r.inputs) {
        QWidget* widget = input(in.name);
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
          values.setOption(in.name, check->isChecked());
          continue;
        }
        if (auto* time = qobject_cast<QTimeEdit*>(widget)) {
          values.setTime(in.name, time->time());
          continue;
        }
        QString text;
        if (auto* number = qobject_cast<NumericEdit*>(widget)) {
          text = number->numberText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
          text = edit->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          text = combo->currentText();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
          text = holdsPath(label->text()) ? label->text() : QString();
        }
        values.setText(in.name, text);
      }
}

}  // namespace dajdor::admin
