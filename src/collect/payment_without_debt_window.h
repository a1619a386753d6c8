// TFFaraDebit ("Operatiuni fara debit"): a receipt (INCASARE) or a payment order
// (PLATA) for someone without a debt in the register, written line by line.
#pragma once

#include "collect/payment_without_debt.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace dajdor {
struct AppContext;
class NumericEdit;
class RecordGrid;
}  // namespace dajdor
namespace dajdor::reg {
class CnpEdit;
}
namespace dajdor::report {
class ReportPresenter;
}

namespace dajdor::collect {

class PaymentWithoutDebtWindow : public QDialog {
  Q_OBJECT
 public:
  PaymentWithoutDebtWindow(AppContext& context, PaymentContext& payment, QWidget* parent = nullptr);

  // "FARA DEBIT": the window, then the stored order told or the receipt printed.
  // The id of the stored document, or nothing.
  static std::optional<std::int64_t> run(AppContext& context, report::ReportPresenter& presenter, QWidget* parent);

  // Clears the window for a new document; false when the accounts cannot be read.
  bool start();
  // The buttons.
  void addLine();
  void removeLine();
  // "&Opereaza": checked, then stored; closes confirmed.
  bool operate();
  // "Coduri clasificare": the code window, then the list of accounts again.
  void editBudgetCodes();

  const std::optional<CommittedDocument>& stored() const { return stored_; }
  WithoutDebtHeader header() const;
  const QList<WithoutDebtLine>& documentLines() const { return lines_; }
  QString totalText() const;

 private:
  QWidget* buildHeader();
  QWidget* buildLineEntry();
  void showKind();
  void showLines(int select);
  void readAccounts();

  AppContext& context_;
  PaymentContext& payment_;
  BudgetAccounts accounts_;
  QList<WithoutDebtLine> lines_;
  std::optional<CommittedDocument> stored_;

  QComboBox* kind_ = nullptr;
  QDateEdit* date_ = nullptr;
  QLabel* numberCaption_ = nullptr;
  QLabel* series_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* holder_ = nullptr;
  reg::CnpEdit* code_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* payer_ = nullptr;
  QComboBox* personType_ = nullptr;
  QComboBox* group_ = nullptr;
  QLineEdit* details_ = nullptr;
  NumericEdit* amount_ = nullptr;
  RecordGrid* grid_ = nullptr;
  QLabel* total_ = nullptr;
};

}  // namespace dajdor::collect
