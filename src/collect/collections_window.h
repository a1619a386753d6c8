// TGospodarieF ("Incasari"): what one taxpayer owes at the calculation date,
// line by line in three grids, and the amounts the cashier enters on them.
// Every change of the date rebuilds the balance from the stored tables.
#pragma once

#include "collect/collection_sheet.h"
#include "collect/taxpayer_header.h"

#include <QDialog>

#include <memory>
#include <optional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dajdor {
struct AppContext;
}
namespace dajdor::report {
class ReportPresenter;
class DesktopReportPresenter;
}  // namespace dajdor::report

namespace dajdor::collect {

class WorkTableGrid;

class CollectionsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit CollectionsWindow(AppContext& context, QWidget* parent = nullptr);
  ~CollectionsWindow() override;

  // Window opening for a taxpayer, without waiting; false (after telling the
  // user) when the work tables cannot be made.
  bool openFor(std::int64_t IDGOS, const QString& locality);
  // The same, shown modally until the cashier closes it.
  void showFor(std::int64_t IDGOS, const QString& locality);

  // OnChange of the date picker: the balance anew, typed amounts discarded.
  void CalcOm();
  // "&OPEREAZA": the entered amounts settled, confirmed in "Operare", stored,
  // the receipt printed and the balance rebuilt.
  void OperButClick();
  // "FARA DEBIT", "&Istoric chitante" (the balance rebuilt after a cancellation)
  // and "Istoric chitante fara debit".
  void openWithoutDebt();
  void openHistory();
  void openHistoryWithoutDebt();
  // Where receipts go (the desktop's preview, printer and PDF viewer unless set); nullptr: back to those.
  void setReportPresenter(report::ReportPresenter* presenter);

  WorkTableGrid* grid(WorkTable table) const { return grids_[int(table)]; }
  QDateEdit* calculationDate() const { return date_; }
  QString totalText() const;
  QString receiptValueText() const;
  CollectionSheet* sheet() const { return sheet_.get(); }

 public slots:
  void done(int result) override;

 private:
  QWidget* buildHeader();
  QWidget* buildGrids();
  QWidget* buildButtons();
  QPushButton* addButton(const QString& text, const QString& name, QWidget* parent);
  void showHeader();
  void refreshGrids();
  void showReceiptValue();
  void applyLockedYear();
  void openDebtDetails();

  AppContext& context_;
  std::unique_ptr<report::DesktopReportPresenter> ownPresenter_;
  report::ReportPresenter* presenter_;
  std::unique_ptr<CollectionSheet> sheet_;
  std::optional<TaxpayerHeader> header_;
  bool busy_ = false;

  QLabel* name_ = nullptr;
  QLabel* rol_ = nullptr;
  QLabel* code_ = nullptr;
  QLabel* personType_ = nullptr;
  QLabel* address_ = nullptr;
  QLabel* locality_ = nullptr;
  QPlainTextEdit* remarks_ = nullptr;
  QList<QCheckBox*> exemptions_;
  QLabel* noPenaltiesCaption_ = nullptr;
  QLabel* noPenalties_ = nullptr;
  QDateEdit* date_ = nullptr;
  WorkTableGrid* grids_[3] = {nullptr, nullptr, nullptr};
  QLabel* total_ = nullptr;
  QLabel* receiptValue_ = nullptr;
  QPushButton* operate_ = nullptr;
  QPushButton* withoutDebt_ = nullptr;
  QPushButton* addTax_ = nullptr;
  QPushButton* enforcement_ = nullptr;
  QPushButton* certificate_ = nullptr;
};

}  // namespace dajdor::collect
