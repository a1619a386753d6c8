// A read-only grid model over the rows of one SELECT, with the columns chosen
// by field name and shown under their captions.
#pragma once

#include "store/engine/database.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <vector>

namespace dajdor {

class ResultSetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct Column {
    QString field;
    QString caption;
  };

  explicit ResultSetModel(QList<Column> columns, QObject* parent = nullptr);

  // Shows these rows (nullptr: none); columns missing from them stay empty.
  void setRows(std::unique_ptr<engine::ResultSet> rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  QList<Column> columns_;
  std::unique_ptr<engine::ResultSet> rows_;
  std::vector<int> sourceColumns_;  // -1 when the rows lack the field
};

}  // namespace dajdor
