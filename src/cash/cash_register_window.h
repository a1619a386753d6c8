// `TFRegCasa`: the cash register of one day, for every cashier or one, with the
// balance carried from the earlier days and the one to carry forward; the
// movements entered by hand are added, changed and deleted here, and the day's
// register and the payments list are printed as workbooks.
#pragma once

#include "cash/cash_movements.h"
#include "cash/cash_register.h"
#include "store/template_export.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace dajdor {
struct AppContext;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::cash {

class CashMovementDialog;
class PeriodDialog;

class CashRegisterWindow : public QDialog {
  Q_OBJECT
 public:
  using Opener = TemplateExport::Opener;
  CashRegisterWindow(AppContext& context, SettingsFile& settings, PeriodDialog& period, Opener open,
                     QWidget* parent = nullptr);
  ~CashRegisterWindow() override;

  // Builds the work rows (progress "Centralizez chitantele..."), starts at
  // today for every cashier and shows the window modally.
  void showRegister();
  // Reads the rows anew and shows today; false after a message when they cannot be read.
  bool openRegister();

  void Filtru();
  void add();
  void modify();
  void remove();
  void listRegister();
  void listPayments();

  QDateEdit* day() const { return day_; }
  QComboBox* cashier() const { return cashier_; }
  QTableWidget* grid() const { return grid_; }
  QLabel* previousBalance() const { return previous_; }
  QLabel* totalReceived() const { return received_; }
  QLabel* totalPaid() const { return paid_; }
  QLabel* carriedForward() const { return carried_; }
  CashMovementDialog* movementDialog() const { return movementDialog_; }
  const CashDay& view() const { return view_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  QPushButton* button(const QString& name, const QString& text, void (CashRegisterWindow::*slot)());
  const CashRow* selectedRow() const;
  void selectMovement(std::int64_t idrc);

  AppContext& context_;
  SettingsFile& settings_;
  PeriodDialog& period_;
  Opener open_;
  std::unique_ptr<CashRegister> register_;
  CashDay view_;
  QDateEdit* day_;
  QComboBox* cashier_;
  QTableWidget* grid_;
  QLabel* previous_;
  QLabel* received_;
  QLabel* paid_;
  QLabel* carried_;
  CashMovementDialog* movementDialog_;
  bool filling_ = false;
};

}  // namespace dajdor::cash
