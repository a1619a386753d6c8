// One page of the administration window, drawn from its catalogue entry: a
// title, a heading and sections of labelled inputs laid out as grids.
#pragma once

#include "admin/rates.h"
#include "admin/settings_catalogue.h"

#include <QHash>
#include <QWidget>

class QBoxLayout;
class QGridLayout;
class QLabel;

namespace dajdor::admin {

class SettingsPageWidget : public QWidget {
  Q_OBJECT
 public:
  explicit SettingsPageWidget(const SettingPage& page, QWidget* parent = nullptr);

  const SettingPage& page() const { return page_; }
  // Shows the values of this page's inputs.
  void showValues(const Rates& values);
  // Copies what the inputs hold now into `values`.
  void collectValues(Rates& values) const;

  // The input of that catalogue name on this page, or null.
  QWidget* input(const QString& name) const { return inputs_.value(name.toUpper()); }
  // Where a path row puts its buttons.
  QBoxLayout* pathButtons(const QString& name) const { return pathButtons_.value(name.toUpper()); }
  // Room at the right of the section with that heading, in its row.
  QBoxLayout* besideSection(const QString& heading) const { return sectionRows_.value(heading); }
  // Room below the sections for what a page has besides inputs (grids, buttons).
  QBoxLayout* extras() const { return extras_; }
  // Room in the title row, at the right (the "Explicatii" button).
  QBoxLayout* titleButtons() const { return titleButtons_; }

 private:
  QWidget* createInput(const SettingInput& in, QWidget* parent);
  QWidget* createSection(const SettingSection& section);

  SettingPage page_;
  QHash<QString, QWidget*> inputs_;  // upper-case name -> input
  QHash<QString, QBoxLayout*> pathButtons_;
  QHash<QString, QBoxLayout*> sectionRows_;  // section heading -> its row
  QList<QGridLayout*> grids_;                // one per section
  int labelWidth_ = 0;                       // the widest row label of the page
  QBoxLayout* extras_ = nullptr;
  QBoxLayout* titleButtons_ = nullptr;
};

}  // namespace dajdor::admin
