// TBordSelect ("Borderouri"): the debit batch a bordereau is printed for.
#pragma once

#include "collect/selection_rules.h"

#include <QDialog>

class QDateEdit;
class QTableWidget;

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

class BatchSelectDialog : public QDialog {
  Q_OBJECT
 public:
  explicit BatchSelectDialog(AppContext& context, QWidget* parent = nullptr);

  // Fills the list; false (after telling the user) when there is no batch or
  // the tables cannot be read: the dialog does not open then.
  bool prepare();
  bool ask();
  // "Am ales": false (and the problem shown) when the list is empty.
  bool choose();

  QString chosenType() const { return type_; }
  QString chosenNumber() const { return number_; }
  QTableWidget* table() const { return table_; }

 private:
  void fill();

  AppContext& context_;
  QList<DebitBatch> batches_;
  QTableWidget* table_;
  QDateEdit* from_;
  QDateEdit* to_;
  QString type_, number_;
};

}  // namespace dajdor::collect
