// TFDetaliiDebite: the taxpayer's debt documents, read only.
#pragma once

#include <QDialog>

class QTableWidget;

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

class DebtDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit DebtDetailsDialog(AppContext& context, QWidget* parent = nullptr);
  // Fills the list; false (after telling the user) when it cannot be made.
  bool openFor(const QString& title, std::int64_t IDGOS);
  void showFor(const QString& title, std::int64_t IDGOS);
  QTableWidget* table() const { return table_; }

 private:
  AppContext& context_;
  QTableWidget* table_;
};

}  // namespace dajdor::collect
