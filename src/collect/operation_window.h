// TChitantaF ("Operare"): the document the entered amounts make, shown before
// it is stored. The cashier picks the document type, number, date and payer,
// may adjust a line or add a missing budget account, and confirms.
#pragma once

#include "collect/payment_operation.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dajdor {
struct AppContext;
class NumericEdit;
class RecordGrid;
}  // namespace dajdor
namespace dajdor::report {
class ReportPresenter;
}

namespace dajdor::collect {

class LineAmountsDialog;
struct CommittedDocument;

// The receipt of a document just stored, to the output the settings ask for;
// other documents print nothing. A failure is told and leaves the document stored.
void printStored(PaymentContext& payment, const CommittedDocument& document, const QString& pdfDir,
                 report::ReportPresenter& presenter, Interaction& ui);

class OperationWindow : public QDialog {
  Q_OBJECT
 public:
  OperationWindow(AppContext& context, PaymentContext& payment, QWidget* parent = nullptr);
  ~OperationWindow() override;

  // OperButClick: the amounts of the balance settled, shown, and once
  // confirmed stored and the receipt printed. True when a document was stored.
  static bool OperButClick(AppContext& context, const OperationInput& input, report::ReportPresenter& presenter,
                           QWidget* parent);

  // Shows `operation` (its lines may be adjusted here) and waits; the choice
  // confirmed, or nothing.
  std::optional<OperationChoice> confirm(PreparedOperation& operation);
  // Fills the window without waiting.
  void load(PreparedOperation& operation);

  // "&OPEREAZA": closes confirmed when the choice passes the checks.
  bool operate();
  // "Detalii / &Modificari" on the selected line.
  void adjustLine();
  // "Coduri clasificare": the code window, then every line's account again.
  void editBudgetCodes();

  OperationChoice choice() const;
  QComboBox* typeList() const { return type_; }
  NumericEdit* numberInput() const { return number_; }
  QLineEdit* payerInput() const { return payer_; }
  QDateEdit* dateInput() const { return date_; }
  RecordGrid* lines() const { return grid_; }
  LineAmountsDialog* amountsDialog() const { return amountsDialog_; }
  QString totalText() const;

 private:
  QWidget* buildHeader();
  QWidget* buildButtons();
  void showType();
  void showLines(int select);

  AppContext& context_;
  PaymentContext& payment_;
  PreparedOperation* operation_ = nullptr;
  BudgetAccounts accounts_;
  QString typedNumber_;  // what the cashier typed, kept while "CHITANTA" shows the proposed number

  QComboBox* type_ = nullptr;
  QLabel* series_ = nullptr;
  NumericEdit* number_ = nullptr;
  QDateEdit* date_ = nullptr;
  QLineEdit* holder_ = nullptr;
  QLineEdit* village_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* rol_ = nullptr;
  QLineEdit* code_ = nullptr;
  QLineEdit* payer_ = nullptr;
  QLabel* total_ = nullptr;
  RecordGrid* grid_ = nullptr;
  LineAmountsDialog* amountsDialog_ = nullptr;
};

}  // namespace dajdor::collect
