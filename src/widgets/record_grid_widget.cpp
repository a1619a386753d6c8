#include "widgets/record_grid_widget.h"

#include "widgets/banded_header_widget.h"

#include <QDate>
#include <QKeyEvent>

#include <algorithm>

namespace dajdor {
namespace {

constexpr int kSortRole = Qt::UserRole + 1;

// A cell that sorts by its value: numbers as numbers, dates as dates (shown as
// the program writes them), texts as texts.
class RecordItem : public QTableWidgetItem {
 public:
  explicit RecordItem(const QVariant& value) {
    const bool day = value.typeId() == QMetaType::QDate;
    setData(Qt::DisplayRole, day ? QVariant(value.toDate().toString("dd.MM.yyyy")) : value);
    setData(kSortRole, value);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return QVariant::compare(data(kSortRole), other.data(kSortRole)) == QPartialOrdering::Less;
  }
};

}  // namespace

RecordGrid::RecordGrid(const QList<RecordColumn>& columns, QWidget* parent)
    : QTableWidget(0, int(columns.size()), parent), header_(new BandedHeader(this)) {
  setHorizontalHeader(header_);
  QStringList captions, bands;
  for (const RecordColumn& c : columns) {
    captions.append(c.caption);
    bands.append(c.band);
  }
  setHorizontalHeaderLabels(captions);
  header_->setBands(bands);
  header_->setSectionResizeMode(QHeaderView::ResizeToContents);
  header_->setSectionsClickable(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(true);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(22);
  connect(this, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int previous, int) {
            if (row != previous) emit recordChanged(currentRecord());
          });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this] { emit recordActivated(currentRecord()); });
}

void RecordGrid::setRecords(const QList<QVariantList>& records, int select) {
  blockSignals(true);
  clearContents();
  setRowCount(int(records.size()));
  for (int r = 0; r < records.size(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      const QVariant cell = records[r].value(c);
      auto* item = new RecordItem(cell);
      const bool number = cell.typeId() == QMetaType::LongLong || cell.typeId() == QMetaType::Int;
      if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setData(Qt::UserRole, r);
      setItem(r, c, item);
    }
  }
  if (sortColumn_ >= 0) sortItems(sortColumn_, header_->sortIndicatorOrder());
  blockSignals(false);
  selectRecord(records.isEmpty() || select < 0 ? -1 : std::min(select, int(records.size()) - 1));
}

int RecordGrid::currentRecord() const {
  const int row = currentRow();
  if (row < 0 || row >= rowCount() || !item(row, 0)) return -1;
  return item(row, 0)->data(Qt::UserRole).toInt();
}

void RecordGrid::selectRecord(int record) {
  for (int row = 0; row < rowCount(); ++row) {
    if (item(row, 0)->data(Qt::UserRole).toInt() == record) {
      setCurrentCell(row, 0);
      scrollToItem(item(row, 0));
      return;
    }
  }
  setCurrentCell(-1, -1);
  emit recordChanged(-1);
}

void RecordGrid::sortByTitles() {
  header_->setSectionsClickable(true);
  connect(header_, &QHeaderView::sectionClicked, this, [this](int column) {
    const int record = currentRecord();
    const Qt::SortOrder order = column == sortColumn_ && header_->sortIndicatorOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    sortColumn_ = column;
    header_->setSortIndicatorShown(true);
    header_->setSortIndicator(column, order);
    sortItems(column, order);
    selectRecord(record);
  });
}

void RecordGrid::stretchColumn(int column) { header_->setSectionResizeMode(column, QHeaderView::Stretch); }

void RecordGrid::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRecord() >= 0) {
    emit recordActivated(currentRecord());
    return;
  }
  QTableWidget::keyPressEvent(event);
}

}  // namespace dajdor
