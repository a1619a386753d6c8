#include "register/vehicle_detail_dialog.h"

#include "store/currency.h"
#include "store/interaction.h"
#include "widgets/bold_label.h"
#include "widgets/save_cancel_row.h"
#include "widgets/upper_case_input.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dajdor::reg {
namespace {

QLineEdit* input(const QString& name, int length, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(length);
  return edit;
}

QComboBox* choice(const QString& name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  return combo;
}

}  // namespace

VehicleDetailDialog::VehicleDetailDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TDetaliiAutoF");
  setWindowTitle("Detalii Auto");
  setModal(true);
  header_ = boldLabel({}, 2, this);
  header_->setObjectName("HeaderLabel");
  fileNumber_ = input(VehicleDetailField::FileNumber, 18, this);
  type_ = choice("TipAuto", vehicleTypes(), this);
  make_ = choice("Marca", vehicleMakes(), this);
  capacity_ = input(VehicleDetailField::Capacity, 6, this);
  chassis_ = input("Serie", 24, this);
  engine_ = input("SerieM", 24, this);
  observations_ = input("Obs", 100, this);
  for (QLineEdit* upper : {fileNumber_, chassis_, engine_}) keepUpperCase(upper);

  auto* form = new QFormLayout;
  form->addRow("Numar dosar:", fileNumber_);
  form->addRow("Tip auto:", type_);
  form->addRow("Marca:", make_);
  form->addRow("Capacitate (cmc):", capacity_);
  form->addRow("Serie caroserie:", chassis_);
  form->addRow("Serie motor:", engine_);
  form->addRow("Observatii:", observations_);
  layOutEditor(this, header_, form, observations_, [this] { MemoreazaClick(); });
}

void VehicleDetailDialog::fill(const QString& header, const VehicleDetail& detail) {
  detail_ = detail;
  header_->setText(header);
  fileNumber_->setText(detail.fileNumber);
  type_->setCurrentIndex(std::max(0, static_cast<int>(type_->findText(detail.type))));
  make_->setCurrentIndex(std::max(0, static_cast<int>(make_->findText(detail.make))));
  capacity_->setText(QString::number(detail.capacity));
  chassis_->setText(detail.chassis);
  engine_->setText(detail.engine);
  observations_->setText(detail.observations);
  fileNumber_->setFocus();
}

bool VehicleDetailDialog::edit(const QString& header, VehicleDetail& detail) { return editIn(*this, header, detail); }

void VehicleDetailDialog::MemoreazaClick() {
  VehicleDetail d = detail_;
  d.fileNumber = fileNumber_->text();
  d.type = type_->currentText();
  d.make = make_->currentText();
  // The capacity is read as an amount; what is not one counts as 0 and is refused.
  Currency capacity;
  d.capacity = Currency::parsePlain(capacity_->text(), capacity) ? capacity.rounded() : 0;
  d.chassis = chassis_->text();
  d.engine = engine_->text();
  d.observations = observations_->text();
  const PageProblem problem = checkVehicleDetail(d);
  if (!problem.isEmpty()) {
    interaction_.problem(problem.text, problem.field);
    if (QWidget* at = findChild<QWidget*>(problem.field)) at->setFocus();
    return;
  }
  detail_ = d;
  accept();
}

}  // namespace dajdor::reg
