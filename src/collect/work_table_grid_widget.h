// One grid of the collections window over one work table of the sheet: the
// columns in the order of their captions, the editable ones marked, amounts
// typed through the sheet's rules, a double-click paying the line in full.
#pragma once

#include "collect/collection_sheet.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>

namespace dajdor::collect {

struct GridColumn {
  QString field;    // work-table field
  QString caption;  // a band over the column goes first, on a line of its own
  bool editable = false;
};

class WorkTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  WorkTableModel(CollectionSheet& sheet, WorkTable table, QObject* parent = nullptr);

  static QList<GridColumn> columnsOf(WorkTable table);
  int columnOf(const QString& field) const;

  // The sheet was rebuilt.
  void reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  // Double-click on a row.
  void togglePaid(int row);

 signals:
  void paidChanged();

 private:
  QVariant value(int row, const QString& field) const;

  CollectionSheet& sheet_;
  WorkTable table_;
  QList<GridColumn> columns_;
};

class WorkTableGrid : public QTableView {
  Q_OBJECT
 public:
  WorkTableGrid(CollectionSheet& sheet, WorkTable table, QWidget* parent = nullptr);
  WorkTableModel* workModel() const { return model_; }

 private:
  WorkTableModel* model_;
};

}  // namespace dajdor::collect
