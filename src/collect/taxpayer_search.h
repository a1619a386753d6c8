// The taxpayer search before the collections window: a snapshot of every
// taxpayer, taken once when "Incasari" is chosen, filtered as the cashier types.
#pragma once

#include "store/engine/database.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace dajdor::collect {

// The first entry of the village and person-type lists: no condition.
inline const QString kAnyVillage = QStringLiteral(" * indiferent *");
inline const QString kAnyType = QStringLiteral("* indiferent *");

struct SearchRow {
  std::int64_t IDGOS = 0;
  QString SATUL, ROL, NUMEP, CNP, ADRESA, TIP;
};

// Blank fields (and the "indiferent" entries) set no condition.
struct SearchCriteria {
  QString village;
  QString name;     // anywhere in the name, case-blind
  QString cnp;      // start of the code
  QString rol;      // the whole role
  QString address;  // start of the address
  QString personType;
};

class TaxpayerSnapshot {
 public:
  // Reads Gospodar and writes the snapshot "Gospo<n>.dbf" into `programFolder`
  // (scratch). Throws engine::Error or StoreError.
  TaxpayerSnapshot(engine::Database& data, const QString& dataDir, const QString& programFolder);
  ~TaxpayerSnapshot();
  TaxpayerSnapshot(const TaxpayerSnapshot&) = delete;
  TaxpayerSnapshot& operator=(const TaxpayerSnapshot&) = delete;

  const QList<SearchRow>& rows() const { return rows_; }
  const QString& path() const { return path_; }
  // The distinct villages, sorted.
  QStringList villages() const;
  // Indexes into rows() of the taxpayers that meet every condition, by name.
  QList<int> filter(const SearchCriteria& criteria) const;

 private:
  QList<SearchRow> rows_;
  QString path_;
  std::unique_ptr<engine::Database> scratch_;
};

}  // namespace dajdor::collect
