#include "shell/result_set_model.h"

namespace dajdor {

ResultSetModel::ResultSetModel(QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void ResultSetModel::setRows(std::unique_ptr<engine::ResultSet> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  sourceColumns_.clear();
  for (const Column& column : columns_)
    sourceColumns_.push_back(rows_ ? rows_->columnIndex(column.field.toStdString()) : -1);
  endResetModel();
}

int ResultSetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->rowCount());
}

int ResultSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultSetModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !rows_ || !index.isValid()) return {};
  const int source = sourceColumns_[static_cast<std::size_t>(index.column())];
  if (source < 0) return QString();
  return QString::fromStdString(
      rows_->value(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(source)).toString());
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < columns_.size() ? columns_[section].caption : QVariant();
}

}  // namespace dajdor
