// "Chitante anulate": one entry per cancelled document kept in ChitAnul, its
// lines, and the rows of "CENTRALIZATOR CHITANTE ANULATE".
#pragma once

#include "collect/receipt_record.h"
#include "report/report_data.h"

#include <QList>

namespace engine {
class Database;
}

namespace dajdor::collect {

struct CancelledDocument {
  std::int64_t IDCHIT = 0;
  QString TIP, SERIA;
  std::int64_t NR = 0;
  QDate DATAI;
  QString SATUL, ROL, NUMEP, INCANUME;
  std::int64_t SUMA = 0;  // the total as it was before the cancellation

  // "Chit.AB nr.12 / 01.03.2014" ("N.C.", "O.P.", or the letter for other types).
  QString DOCJUS() const;
};

// Ordered by date and id; empty when nothing was cancelled ("Nu exista chitante anulate!").
QList<CancelledDocument> cancelledDocuments(engine::Database& data, const QString& dataDir);
inline const QString kNoCancelledTitle = QStringLiteral("Chitante anulate");
inline const QString kNoCancelledText = QStringLiteral("Nu exista chitante anulate!");

// The lines of a cancelled document as they were.
QList<ReceiptRecord> cancelledLines(engine::Database& data, const QString& dataDir, std::int64_t IDCHIT);

// The report's rows (DOCJUS, INCANUME, NUMEP, SUMA, ROL, SATUL), in the list's order.
report::PlainRows cancelledReportRows(const QList<CancelledDocument>& documents);

}  // namespace dajdor::collect
