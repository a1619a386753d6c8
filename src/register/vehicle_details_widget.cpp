#include "register/vehicle_details_widget.h"

#include "register/vehicle_detail_dialog.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "widgets/bold_label.h"
#include "widgets/record_grid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::reg {
void showVehicleDetails(QTableWidget* grid, const QList<VehicleDetail>& details) {
  grid->setRowCount(static_cast<int>(details.size()));
  for (int r = 0; r < details.size(); ++r) {
    const VehicleDetail& d = details[r];
    const QStringList cells = {d.fileNumber, d.type, d.make, QString::number(d.capacity),
                               d.chassis,    d.engine, d.observations};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setToolTip(vehicleDetailHint(d));
      grid->setItem(r, c, item);
    }
  }
}

VehicleDetailsWidget::VehicleDetailsWidget(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("Caracteristici");
  auto* box = new QGroupBox("Caracteristici", this);
  grid_ = makeRecordGrid("DetGrid", {"Nr. Dosar", "Tip Auto", "Marca", "Capacit", "Serie caroserie", "Serie Motor", "Obs"},
                     box);
  grid_->setMinimumHeight(110);
  QPushButton* add = plainButton("AddDetAuto", "Adauga", box);
  QPushButton* edit = plainButton("EditDetAuto", "Modifica", box);
  QPushButton* remove = plainButton("DelDetAuto", "Sterge", box);
  connect(add, &QPushButton::clicked, this, &VehicleDetailsWidget::AddDetAutoClick);
  connect(edit, &QPushButton::clicked, this, &VehicleDetailsWidget::EditDetAutoClick);
  connect(remove, &QPushButton::clicked, this, &VehicleDetailsWidget::DelDetAutoClick);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, &VehicleDetailsWidget::EditDetAutoClick);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {add, edit, remove}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* inner = new QHBoxLayout(box);
  inner->addWidget(grid_, 1);
  inner->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);
  dialog_ = new VehicleDetailDialog(*context_.interaction, this);
}

void VehicleDetailsWidget::setTaxpayer(std::int64_t idgos) {
  idgos_ = idgos;
  reload(0);
}

void VehicleDetailsWidget::reload(std::int64_t selectId, bool selectLast) {
  try {
    details_ = idgos_ > 0 ? vehicleDetails(*context_.database, context_.paths.dataDir, idgos_) : QList<VehicleDetail>{};
  } catch (const std::exception& e) {
    details_.clear();
    context_.interaction->error(QStringLiteral("Detalii Auto"), sql::message(e));
  }
  showVehicleDetails(grid_, details_);
  int row = details_.isEmpty() ? -1 : 0;
  for (int r = 0; r < details_.size(); ++r)
    if (details_[r].iddeta == selectId) row = r;
  if (selectLast) row = static_cast<int>(details_.size()) - 1;
  if (row >= 0) grid_->selectRow(row);
}

int VehicleDetailsWidget::currentRow() const {
  const int row = grid_->currentRow();
  return row >= 0 && row < details_.size() ? row : -1;
}

void VehicleDetailsWidget::AddDetAutoClick() {
  if (idgos_ <= 0) return;
  VehicleDetail detail;
  detail.idgos = idgos_;
  if (!dialog_->edit(QStringLiteral("Adauga Detalii"), detail)) return;
  try {
    SettingsFile settings(sql::tablePath(context_.paths.dataDir, SettingsFile::kFileName));
    reload(addVehicleDetail(*context_.database, context_.paths.dataDir, settings, detail));
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Detalii Auto"), sql::message(e));
  }
}

void VehicleDetailsWidget::EditDetAutoClick() {
  const int row = currentRow();
  if (row < 0) {
    context_.interaction->problem(QStringLiteral("Nu aveti ce modifica!"), grid_->objectName());
    return;
  }
  VehicleDetail detail = details_[row];
  if (!dialog_->edit(QStringLiteral("Modificare date"), detail)) return;
  try {
    modifyVehicleDetail(*context_.database, context_.paths.dataDir, detail);
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Detalii Auto"), sql::message(e));
  }
  reload(detail.iddeta);
}

void VehicleDetailsWidget::DelDetAutoClick() {
  const int row = currentRow();
  if (row < 0) {
    context_.interaction->problem(QStringLiteral("Nu aveti ce sterge!"), grid_->objectName());
    return;
  }
  if (context_.interaction->message(QStringLiteral("Stergere detaliu"),
                                    QStringLiteral("Doriti sa stergeti detaliul din tabel?"), Button::Da | Button::Nu,
                                    MessageKind::Confirmation) != Answer::Da)
    return;
  try {
    deleteVehicleDetail(*context_.database, context_.paths.dataDir, details_[row].iddeta);
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Detalii Auto"), sql::message(e));
  }
  reload(0, true);
}

VehicleDetailsViewerDialog::VehicleDetailsViewerDialog(AppContext& context, std::int64_t idgos, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TAutoDetF");
  setWindowTitle("Dajdor");
  auto* grid = makeRecordGrid("AutoDetGrid", {"Numar Dosar", "Tip Auto", "Marca", "Capacit. -cmc-", "Serie Caroserie",
                                          "Serie Motor", "Observatii"},
                          this);
  try {
    showVehicleDetails(grid, vehicleDetails(*context.database, context.paths.dataDir, idgos));
  } catch (const std::exception& e) {
    context.interaction->error(QStringLiteral("Detalii Auto"), sql::message(e));
  }
  auto* close = plainButton("Inchide", "Inchide", this);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(boldLabel(QStringLiteral("Detalii Auto"), 2, this));
  layout->addWidget(grid, 1);
  layout->addLayout(row);
  resize(760, 320);
}

}  // namespace dajdor::reg
