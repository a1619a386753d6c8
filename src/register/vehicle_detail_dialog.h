// TDetaliiAutoF: the editor of one vehicle detail ("Detalii Auto"), its header
// text set by the caller ("Adauga Detalii", "Modificare date").
#pragma once

#include "register/vehicle_details.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace dajdor {
class Interaction;
}

namespace dajdor::reg {

class VehicleDetailDialog : public QDialog {
  Q_OBJECT
 public:
  VehicleDetailDialog(Interaction& interaction, QWidget* parent = nullptr);

  // Shows `detail` under `header`; true when "Memoreaza" stored it, the checked
  // values then in `detail`.
  bool edit(const QString& header, VehicleDetail& detail);
  // The same without waiting, for tests: fill, then press the buttons.
  void fill(const QString& header, const VehicleDetail& detail);
  const VehicleDetail& result() const { return detail_; }

 private:
  void MemoreazaClick();

  Interaction& interaction_;
  VehicleDetail detail_;
  QLabel* header_ = nullptr;
  QLineEdit* fileNumber_ = nullptr;
  QComboBox* type_ = nullptr;
  QComboBox* make_ = nullptr;
  QLineEdit* capacity_ = nullptr;
  QLineEdit* chassis_ = nullptr;
  QLineEdit* engine_ = nullptr;
  QLineEdit* observations_ = nullptr;
};

}  // namespace dajdor::reg
