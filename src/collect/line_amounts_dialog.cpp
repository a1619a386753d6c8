#include "collect/line_amounts_dialog.h"

#include "collect/problem_report.h"
#include "widgets/bold_label.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/save_cancel_row.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {
namespace {

// The inputs in their order on screen.
constexpr std::int64_t LineAmounts::* kAmounts[6] = {&LineAmounts::RESTANTA, &LineAmounts::MAJOREST,
                                                      &LineAmounts::DEPOZIT,  &LineAmounts::CURENT,
                                                      &LineAmounts::REDUCERE, &LineAmounts::MAJOR};

}  // namespace

LineAmountsDialog::LineAmountsDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TFModificare");
  setWindowTitle("Detalii / Modificari");
  setModal(true);
  group_ = boldLabel(QString(), 2, this);
  group_->setObjectName("GRUPA");
  group_->setAlignment(Qt::AlignCenter);
  group_->setWordWrap(true);
  auto* form = new QFormLayout;
  const QStringList captions = {"Ramasita", "Majorare", "Plusuri", "Curente", "Reducere", "Majorari"};
  const QStringList fields = {"RESTANTA", "MAJOREST", "DEPOZIT", "CURENT", "REDUCERE", "MAJOR"};
  for (int i = 0; i < 6; ++i) {
    inputs_[i] = new NumericEdit(NumericEdit::Kind::Whole, 7, this);
    inputs_[i]->setShape(6, 0, true);
    inputs_[i]->setObjectName(fields[i]);
    form->addRow(captions[i], inputs_[i]);
  }
  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { save(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);
  auto* enter = new EnterNavigation(this);
  enter->setAfterLast(buttons.save);
  setMinimumWidth(340);
}

std::optional<LineAmounts> LineAmountsDialog::edit(const DocumentLine& line) {
  line_ = line;
  group_->setText(line.GRUPA);
  for (int i = 0; i < 6; ++i) inputs_[i]->setNumberText(QString::number(line.amounts.*kAmounts[i]));
  inputs_[0]->setFocus();
  inputs_[0]->selectAll();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return amounts();
}

LineAmounts LineAmountsDialog::amounts() const {
  LineAmounts values;
  for (int i = 0; i < 6; ++i) values.*kAmounts[i] = inputs_[i]->numberText().toLongLong();
  return values;
}

bool LineAmountsDialog::save() {
  if (const auto problem = checkAdjustment(line_, amounts())) {
    report(interaction_, *problem);
    return false;
  }
  accept();
  return true;
}

}  // namespace dajdor::collect
