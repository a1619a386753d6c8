// TFIstoricChit ("Istoric chitante"): the documents of one taxpayer, or the
// payments without a debt, with their lines; reprint, change of number, series
// and date, cancellation, and removal of a cancelled document.
#pragma once

#include "collect/receipt_history.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QPushButton;

namespace dajdor {
struct AppContext;
class RecordGrid;
}  // namespace dajdor
namespace dajdor::report {
class ReportPresenter;
}

namespace dajdor::collect {

class ReceiptChangeDialog;

class ReceiptHistoryWindow : public QDialog {
  Q_OBJECT
 public:
  ReceiptHistoryWindow(AppContext& context, report::ReportPresenter& presenter, QWidget* parent = nullptr);
  ~ReceiptHistoryWindow() override;

  // Shows the documents of `scope` and waits; true when a document was cancelled.
  bool Open(const QString& title, const HistoryScope& scope, bool modificationAllowed);
  // The same without waiting; false (after telling the user) when they cannot be read.
  bool load(const QString& title, const HistoryScope& scope, bool modificationAllowed);
  bool anythingCancelled() const { return cancelled_; }

  // The buttons.
  void printDocument();
  void modifyDocument();
  void cancelDocument();
  void deleteDocument();

  RecordGrid* documents() const { return documents_; }
  RecordGrid* lines() const { return lines_; }
  QComboBox* payerFilter() const { return payer_; }
  QComboBox* cashierFilter() const { return cashier_; }
  ReceiptChangeDialog* changeDialog() const { return change_; }
  // The document selected, if any.
  const HistoryDocument* selected() const;

 private:
  void reload(std::optional<std::int64_t> select);
  void showDocuments(std::optional<std::int64_t> select);
  void showSelected();

  AppContext& context_;
  report::ReportPresenter& presenter_;
  std::unique_ptr<ReceiptHistory> history_;
  QList<HistoryDocument> shown_;
  bool modificationAllowed_ = false;
  bool cancelled_ = false;

  QComboBox* payer_;
  QComboBox* cashier_;
  RecordGrid* documents_;
  RecordGrid* lines_;
  QPushButton* print_;
  QPushButton* modify_;
  QPushButton* cancel_;
  QPushButton* delete_;
  ReceiptChangeDialog* change_;
};

}  // namespace dajdor::collect
