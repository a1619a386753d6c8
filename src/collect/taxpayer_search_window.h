// TAvansatSearch ("Incasari", "Alegere ROL"): the cashier finds a taxpayer in
// the snapshot by village, name, code, role, address and person type; the
// list follows every keystroke.
#pragma once

#include "collect/taxpayer_search.h"

#include <QAbstractTableModel>
#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableView;

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

class SnapshotModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit SnapshotModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void show(const TaxpayerSnapshot* snapshot, QList<int> rows);
  const SearchRow* rowAt(int row) const;
  int rowOfTaxpayer(std::int64_t idgos) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  const TaxpayerSnapshot* snapshot_ = nullptr;
  QList<int> rows_;
};

class TaxpayerSearchWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TaxpayerSearchWindow(AppContext& context, QWidget* parent = nullptr);

  // The search loop of "Incasari": snapshot, search, collections window for
  // each taxpayer chosen, until the search is cancelled.
  static void runCollections(AppContext& context, QWidget* parent);

  // Shows the snapshot with the text fields cleared (before each showing).
  void prepare(const TaxpayerSnapshot& snapshot);
  // Restricts the list to the fields' conditions.
  void applyFilter();
  // "&Am ales": false (and the problem shown) when nothing is selected.
  bool choose();

  std::int64_t chosenTaxpayer() const { return chosenId_; }
  QString chosenVillage() const { return chosenVillage_; }
  QTableView* grid() const { return grid_; }
  SnapshotModel* listModel() const { return model_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  AppContext& context_;
  const TaxpayerSnapshot* snapshot_ = nullptr;
  QComboBox* village_;
  QLineEdit* name_;
  QLineEdit* cnp_;
  QLineEdit* rol_;
  QLineEdit* address_;
  QComboBox* personType_;
  QTableView* grid_;
  SnapshotModel* model_;
  std::int64_t chosenId_ = 0;
  QString chosenVillage_;
};

}  // namespace dajdor::collect
