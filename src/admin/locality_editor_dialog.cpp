#include "admin/locality_editor_dialog.h"

#include "widgets/enter_navigation.h"
#include "admin/settings_catalogue.h"
#include "widgets/save_cancel_row.h"
#include "widgets/bold_label.h"
#include "widgets/upper_case_input.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::admin {

LocalityEditorDialog::LocalityEditorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TAddZonaF");
  setWindowTitle("Constante de calcul");
  title_ = boldLabel({}, 2, this);
  title_->setObjectName("TitleLabel");

  name_ = new QLineEdit(this);
  name_->setObjectName(kLocalityField);
  name_->setMaxLength(kLocalityWidth);
  keepUpperCase(name_);
  zone_ = new QComboBox(this);
  zone_->setObjectName(kZoneField);
  zone_->addItems(zoneLetters());
  rank_ = new QComboBox(this);
  rank_->setObjectName(kRankField);
  rank_->addItems(rankNumerals());

  auto* form = new QFormLayout;
  form->addRow("Localitatea", name_);
  form->addRow("Zona", zone_);
  form->addRow("Rangul", rank_);

  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { store(); });

  auto* status = new QLabel("ESC - Renunta si inchide", this);
  status->setObjectName("StatusLabel");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);
  layout->addWidget(status);

  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(rank_, [this] { store(); });
}

void LocalityEditorDialog::prepare(const QString& title, const Locality& locality, Check check) {
  title_->setText(title);
  locality_ = locality;
  check_ = std::move(check);
  name_->setText(locality.name);
  zone_->setCurrentIndex(std::max(0, zone_->findText(locality.zone)));
  rank_->setCurrentIndex(std::max(0, rank_->findText(locality.rank)));
  name_->setFocus();
}

void LocalityEditorDialog::store() {
  Locality typed = locality_;
  typed.name = name_->text();
  typed.zone = zone_->currentText();
  typed.rank = rank_->currentText();
  if (check_ && !check_(typed)) return;
  locality_ = typed;
  name_->setText(typed.name);
  accept();
}

}  // namespace dajdor::admin
