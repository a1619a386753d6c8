// The debt documents of one taxpayer ("Detalii.dbf" in the program's folder):
// debt lines, debits of the year and the arrears of each balance row.
#pragma once

#include "store/engine/database.h"

#include <QDate>
#include <QList>
#include <QString>

#include <memory>

namespace dajdor::collect {

struct DebtDetail {
  QDate DINDATA;
  QString GRUPA, DENUM, DOCJUS;
  std::int64_t NR = 0, SUMA2 = 0, RESTINI = 0;
  double CANT = 1;
  QString UM;
};

inline const QString kDebtDetailsFile = QStringLiteral("Detalii.dbf");

class DebtDetails {
 public:
  // Fills the work table from the stored tables. Throws StoreError when a
  // leftover Detalii.dbf cannot be deleted, engine::Error when a table cannot be read.
  DebtDetails(engine::Database& data, const QString& dataDir, const QString& programFolder, std::int64_t IDGOS,
              int workYear);
  ~DebtDetails();
  DebtDetails(const DebtDetails&) = delete;
  DebtDetails& operator=(const DebtDetails&) = delete;

  // The rows by group, description and date.
  const QList<DebtDetail>& rows() const { return rows_; }
  const QString& path() const { return path_; }

 private:
  QString path_;
  std::unique_ptr<engine::Database> scratch_;
  QList<DebtDetail> rows_;
};

}  // namespace dajdor::collect
