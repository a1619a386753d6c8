// The vehicle details under "Caracteristici" on the vehicles page: the grid
// DetGrid of the taxpayer's AutoDet rows and the buttons "Adauga", "Modifica",
// "Sterge"; and the read-only viewer TAutoDetF of the collections screen.
#pragma once

#include "register/vehicle_details.h"

#include <QDialog>
#include <QWidget>

class QTableWidget;

namespace dajdor {
struct AppContext;
}

namespace dajdor::reg {

class VehicleDetailDialog;

// Fills a grid with details, one row each, the hint of each row as its tooltip.
void showVehicleDetails(QTableWidget* grid, const QList<VehicleDetail>& details);

class VehicleDetailsWidget : public QWidget {
  Q_OBJECT
 public:
  VehicleDetailsWidget(AppContext& context, QWidget* parent = nullptr);

  // The details of this taxpayer (the vehicles page was loaded for him).
  void setTaxpayer(std::int64_t idgos);
  const QList<VehicleDetail>& details() const { return details_; }
  VehicleDetailDialog* dialog() const { return dialog_; }

  void AddDetAutoClick();
  void EditDetAutoClick();
  void DelDetAutoClick();

 private:
  void reload(std::int64_t selectId, bool selectLast = false);
  int currentRow() const;

  AppContext& context_;
  std::int64_t idgos_ = 0;
  QList<VehicleDetail> details_;
  QTableWidget* grid_ = nullptr;
  VehicleDetailDialog* dialog_ = nullptr;
};

// TAutoDetF: one taxpayer's details, read-only.
class VehicleDetailsViewerDialog : public QDialog {
  Q_OBJECT
 public:
  VehicleDetailsViewerDialog(AppContext& context, std::int64_t idgos, QWidget* parent = nullptr);
};

}  // namespace dajdor::reg
