// A read-only grid of records: whole rows selected, amounts right-aligned and
// sorted as numbers, columns under an optional band. Rows keep the index they
// were given in, so a sort by a column title never loses the record selected.
#pragma once

#include <QList>
#include <QTableWidget>
#include <QVariant>

namespace dajdor {

class BandedHeader;

struct RecordColumn {
  RecordColumn(QString caption, QString band = {}) : caption(std::move(caption)), band(std::move(band)) {}
  QString caption;
  QString band;  // empty: the caption takes the header's full height
};

class RecordGrid : public QTableWidget {
  Q_OBJECT
 public:
  RecordGrid(const QList<RecordColumn>& columns, QWidget* parent = nullptr);

  // One list of cells per record; numbers are shown right-aligned. The record
  // at `select` is selected (the last one when beyond them, none when negative).
  void setRecords(const QList<QVariantList>& records, int select = 0);
  int recordCount() const { return rowCount(); }
  // Index (in the list given) of the record selected; -1 when none.
  int currentRecord() const;
  void selectRecord(int record);
  // A click on a column title sorts by it, the selected record staying selected.
  void sortByTitles();
  // The column that takes the width left over.
  void stretchColumn(int column);

 signals:
  // The selected record changed (-1: none).
  void recordChanged(int record);
  // Enter or a double-click on a record.
  void recordActivated(int record);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  BandedHeader* header_;
  int sortColumn_ = -1;  // none: the records' own order
};

}  // namespace dajdor
