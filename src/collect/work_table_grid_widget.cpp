#include "collect/work_table_grid_widget.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyledItemDelegate>

namespace dajdor::collect {
namespace {

// Amounts and numbers as the DECIMAL(6,0) and DECIMAL(10,0) fields hold them.
class WholeNumberDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString field = index.model()->headerData(index.column(), Qt::Horizontal, Qt::UserRole).toString();
    if (field == "GRUPA") {
      auto* edit = new QLineEdit(parent);
      edit->setMaxLength(60);
      return edit;
    }
    auto* spin = new QSpinBox(parent);
    spin->setRange(field == "NR" ? 0 : -99999, field == "NR" ? 999999999 : 999999);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setAlignment(Qt::AlignRight);
    (void)option;
    return spin;
  }
};

}  // namespace

WorkTableModel::WorkTableModel(CollectionSheet& sheet, WorkTable table, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet), table_(table), columns_(columnsOf(table)) {}

QList<GridColumn> WorkTableModel::columnsOf(WorkTable table) {
  switch (table) {
    case WorkTable::Taxes:
      return {{"GRUPA", "Denumire impozit"},
              {"RAM1", "Ramasite"},
              {"SUMA", "Curent\nValoare initiala"},
              {"RED1", "Curent\nReducere"},
              {"CUR1", "Curent\nRest de plata"},
              {"MAJOR1", "Majorari"},
              {"DEPLATA", "Total de plata"},
              {"ACHITAT", "ACHITA", true}};
    case WorkTable::OtherTaxes:
      return {{"GRUPA", "Denumire creanta"}, {"DOCJUS", "Explicatii"},     {"NR", "Nr.", true},
              {"DINDATA", "Din data"},       {"REDUC", "Reducere"},        {"CUR1", "Curent"},
              {"REST1", "Restanta"},         {"DEPLATA", "Total de plata"}, {"ACHITAT", "ACHITA", true}};
    case WorkTable::Debits:
      return {{"GRUPA", "Denumire impozit", true}, {"DOCJUS", "Explicatii"},     {"NR", "Nr.", true},
              {"CATEG", "Categoria"},              {"DINDATA", "Din data"},      {"SUMAINI", "Valoare"},
              {"SUMAC", "Rest de plata"},          {"MAJOR", "Majorari"},        {"DEPLATA", "Total de plata"},
              {"ACHITAT", "ACHITA", true}};
  }
  return {};
}

int WorkTableModel::columnOf(const QString& field) const {
  for (int c = 0; c < columns_.size(); ++c)
    if (columns_[c].field == field) return c;
  return -1;
}

void WorkTableModel::reload() {
  beginResetModel();
  endResetModel();
}

int WorkTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.rowCount(table_); }
int WorkTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant WorkTableModel::value(int row, const QString& f) const {
  const Balance& b = sheet_.balance();
  const auto num = [](std::int64_t v) { return QVariant(qlonglong(v)); };
  const auto day = [](const QDate& d) { return QVariant(d.toString("dd.MM.yyyy")); };
  switch (table_) {
    case WorkTable::Taxes: {
      const TaxLine& l = b.taxes[row];
      if (f == "GRUPA") return l.GRUPA;
      if (f == "RAM1") return num(l.RAM1);
      if (f == "SUMA") return num(l.SUMA);
      if (f == "RED1") return num(l.RED1);
      if (f == "CUR1") return num(l.CUR1);
      if (f == "MAJOR1") return num(l.MAJOR1);
      if (f == "DEPLATA") return num(l.DEPLATA);
      return num(l.ACHITAT);
    }
    case WorkTable::OtherTaxes: {
      const OtherTaxLine& l = b.others[row];
      if (f == "GRUPA") return l.GRUPA;
      if (f == "DOCJUS") return l.DOCJUS;
      if (f == "NR") return num(l.NR);
      if (f == "DINDATA") return day(l.DINDATA);
      if (f == "REDUC") return num(l.REDUC);
      if (f == "CUR1") return num(l.CUR1);
      if (f == "REST1") return num(l.REST1);
      if (f == "DEPLATA") return num(l.DEPLATA);
      return num(l.ACHITAT);
    }
    case WorkTable::Debits: {
      const DebitLine& l = b.debits[row];
      if (f == "GRUPA") return l.GRUPA;
      if (f == "DOCJUS") return l.DOCJUS;
      if (f == "NR") return num(l.NR);
      if (f == "CATEG") return l.CATEG;
      if (f == "DINDATA") return day(l.DINDATA);
      if (f == "SUMAINI") return num(l.SUMAINI);
      if (f == "SUMAC") return num(l.SUMAC);
      if (f == "MAJOR") return num(l.MAJOR);
      if (f == "DEPLATA") return num(l.DEPLATA);
      return num(l.ACHITAT);
    }
  }
  return {};
}

QVariant WorkTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const GridColumn& column = columns_[index.column()];
  if (role == Qt::DisplayRole || role == Qt::EditRole) return value(index.row(), column.field);
  if (role == Qt::TextAlignmentRole) {
    const QVariant v = value(index.row(), column.field);
    return v.typeId() == QMetaType::LongLong ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
  }
  if (role == Qt::FontRole && column.field == "ACHITAT") {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::BackgroundRole && column.editable) return QColor(0xFFFBE0);
  return {};
}

QVariant WorkTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) return {};
  if (role == Qt::DisplayRole) return columns_[section].caption;
  if (role == Qt::UserRole) return columns_[section].field;
  return {};
}

Qt::ItemFlags WorkTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && columns_[index.column()].editable) f |= Qt::ItemIsEditable;
  return f;
}

bool WorkTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const QString field = columns_[index.column()].field;
  if (field == "ACHITAT") {
    sheet_.enterPaid(table_, index.row(), value.toLongLong());
    emit dataChanged(index, index);
    emit paidChanged();
    return true;
  }
  if (field == "NR") {
    sheet_.setNumber(table_, index.row(), value.toLongLong());
  } else if (field == "GRUPA") {
    if (!sheet_.setDebitGroup(index.row(), value.toString())) return false;
  }
  emit dataChanged(index, index);
  return true;
}

void WorkTableModel::togglePaid(int row) {
  if (row < 0 || row >= rowCount()) return;
  sheet_.togglePaid(table_, row);
  const QModelIndex paid = index(row, columnOf("ACHITAT"));
  emit dataChanged(paid, paid);
  emit paidChanged();
}

WorkTableGrid::WorkTableGrid(CollectionSheet& sheet, WorkTable table, QWidget* parent)
    : QTableView(parent), model_(new WorkTableModel(sheet, table, this)) {
  setModel(model_);
  setItemDelegate(new WholeNumberDelegate(this));
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(true);
  verticalHeader()->setDefaultSectionSize(22);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { model_->togglePaid(index.row()); });
}

}  // namespace dajdor::collect
