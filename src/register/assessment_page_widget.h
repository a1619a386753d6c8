// One page of a taxpayer's assessment file, drawn from its catalogue entry: a
// title, sections of captioned inputs in a scroll area, Enter moving from input
// to input. The register window hosts one per page and decides when to load and
// store; the page says when it was edited.
#pragma once

#include "register/assessment_pages.h"
#include "session/app_context.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace dajdor::reg {

class AssessmentPageWidget : public QWidget {
  Q_OBJECT
 public:
  // `page` is 1 ... 11; the widget's objectName is "Pag<page>".
  AssessmentPageWidget(int page, AppContext& context, QWidget* parent = nullptr);

  // Fills the inputs from the tables for the taxpayer (creating his missing row).
  void load(qint64 idgos);
  // Writes the page. False when it was not written: a check refused it (the
  // input at fault has the focus and the page stays modified), the register is
  // locked (the edits are dropped and the stored values shown again) or the
  // engine failed; the user has been told in each case.
  bool store();
  // Every input at its default, without touching the tables.
  void clear();
  bool isModified() const { return modified_; }

  int pageNumber() const { return page_.number; }
  qint64 taxpayer() const { return idgos_; }
  // The input of that catalogue name, or null.
  QWidget* input(const QString& name) const { return inputs_.value(name.toUpper()); }
  // What the inputs hold now, as the domain takes it.
  PageValues values() const;

 signals:
  // Any edit of an input by the user.
  void modified();

 private:
  QWidget* createSection(const PageSection& section);
  QWidget* createInput(const PageInput& in, QWidget* parent);
  void alignCaptions();
  void showValues(const PageValues& values);
  void showPanels(bool legalPerson);
  void onEdited();
  void onFocusChanged(QWidget* now);
  AssessmentFile file() const;

  const AssessmentPage& page_;
  AppContext& context_;
  QScrollArea* scroll_ = nullptr;
  QHash<QString, QWidget*> inputs_;  // upper-case name -> input
  QList<QPair<QWidget*, Audience>> panels_;
  QList<QLabel*> captions_[2];  // row captions of the left and the right sections
  qint64 idgos_ = 0;
  bool modified_ = false;
  bool showing_ = false;  // values are being put into the inputs: not an edit
};

}  // namespace dajdor::reg
