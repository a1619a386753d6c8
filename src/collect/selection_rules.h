// What the three selection dialogs of listings and notices offer and accept:
// "Lista de incasat", "Borderouri" and "Rapoarte".
#pragma once

#include "store/engine/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace dajdor::collect {

struct SelectionProblem {
  QString text;
  QString field;  // objectName of the input at fault
};

// "Lista de incasat": Sate.lst when it exists; otherwise the distinct villages
// of Gospodar, which are then saved as Sate.lst. Throws engine::Error or StoreError.
QStringList collectionListVillages(engine::Database& data, const QString& dataDir);
// "Rapoarte": Sate.lst, or the distinct villages of SoldCalc (not saved).
QStringList reportVillages(engine::Database& data, const QString& dataDir);

std::optional<SelectionProblem> collectionListProblem(const QString& village, const QDate& date, const QDate& today);
std::optional<SelectionProblem> reportRangeProblem(const QString& village, std::int64_t firstRol,
                                                   std::int64_t lastRol);

// A debit batch ("BD") or reduction batch ("BS") of the year, by document number.
struct DebitBatch {
  QString TIP;
  std::int64_t NR = 0;
  std::int64_t TSUMA = 0;
  friend bool operator==(const DebitBatch&, const DebitBatch&) = default;
};
// The batches by type and number, gathered through the work table
// "BordSel<n>.dbf" of `programFolder` (deleted again). Throws engine::Error or StoreError.
QList<DebitBatch> debitBatches(engine::Database& data, const QString& dataDir, const QString& programFolder);

}  // namespace dajdor::collect
