#include "collect/cancelled_receipts.h"

#include "store/sql_helpers.h"

#include <QMap>

#include <algorithm>

namespace dajdor::collect {

QString CancelledDocument::DOCJUS() const {
  const QString t = TIP.trimmed();
  const QString kind = t == QLatin1String("C")   ? QStringLiteral("Chit.")
                       : t == QLatin1String("N") ? QStringLiteral("N.C.")
                       : t == QLatin1String("O") ? QStringLiteral("O.P.")
                                                 : t;
  return kind + SERIA + QStringLiteral(" nr.") + QString::number(NR) + QStringLiteral(" / ") +
         DATAI.toString(QStringLiteral("dd.MM.yyyy"));
}

QList<CancelledDocument> cancelledDocuments(engine::Database& data, const QString& dataDir) {
  const QString path = sql::tablePath(dataDir, kCancelledTable);
  if (!data.tableExists(path.toStdString())) return {};
  const auto rows = sql::query(data, "SELECT * FROM " + sql::table(path));
  QMap<std::int64_t, CancelledDocument> byId;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const ReceiptRecord l = receiptRecordAt(*rows, r);
    auto it = byId.find(l.IDCHIT);
    if (it == byId.end())
      it = byId.insert(l.IDCHIT, {l.IDCHIT, l.TIP, l.SERIA, l.NR, l.DATAI, l.SATUL, l.ROL, l.NUMEP, l.INCANUME, 0});
    it->SUMA += l.TOTAL;
  }
  QList<CancelledDocument> list = byId.values();
  std::stable_sort(list.begin(), list.end(), [](const CancelledDocument& a, const CancelledDocument& b) {
    return a.DATAI != b.DATAI ? a.DATAI < b.DATAI : a.IDCHIT < b.IDCHIT;
  });
  return list;
}

QList<ReceiptRecord> cancelledLines(engine::Database& data, const QString& dataDir, std::int64_t IDCHIT) {
  return readDocument(data, dataDir, IDCHIT, kCancelledTable);
}

report::PlainRows cancelledReportRows(const QList<CancelledDocument>& documents) {
  report::PlainRows rows({"DOCJUS", "INCANUME", "NUMEP", "SUMA", "ROL", "SATUL"});
  for (const CancelledDocument& d : documents)
    rows.append({d.DOCJUS(), d.INCANUME, d.NUMEP, QString::number(d.SUMA), d.ROL, d.SATUL});
  return rows;
}

}  // namespace dajdor::collect
