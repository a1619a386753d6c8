// One stored document line of Chitante, and reading a document's lines.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace engine {
class Database;
class RowSource;
}  // namespace engine

namespace dajdor::collect {

inline const QString kReceiptsTable = QStringLiteral("Chitante.dbf");
inline const QString kCancelledTable = QStringLiteral("ChitAnul.dbf");
// The payer of a cancelled document.
inline const QString kCancelledPayer = QStringLiteral("ANULAT");

struct ReceiptRecord {
  std::int64_t IDCHIT = 0, IDGOS = -1, IDANUL = -1;
  QString SERIA;
  std::int64_t NR = 0;
  QDate DATAI;
  QString SATUL, ROL, GRUPA, DENUM, CODCLAS, NUMEP, CNP, ADRESA, TIPF, PLATNUME, INCANUME, LEGITIMA;
  std::int64_t RESTANTA = 0, MAJOREST = 0, DEPOZIT = 0, CURENT = 0, MAJOR = 0, REDUCERE = 0, TOTAL = 0;
  QString TIP;

  // RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE.
  std::int64_t cash() const { return RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE; }
  friend bool operator==(const ReceiptRecord&, const ReceiptRecord&) = default;
};

// The fields of Chitante in layout order ("IDCHIT", "IDGOS", ... "TIP").
const QStringList& receiptFields();

// The line at the current row of a result set or cursor with the Chitante fields
// (IDANUL may be missing, as in ChitAnul).
ReceiptRecord receiptRecordAt(const engine::RowSource& rows, std::size_t row);

// The lines of document IDCHIT in `table` (Chitante or ChitAnul), in stored order.
QList<ReceiptRecord> readDocument(engine::Database& data, const QString& dataDir, std::int64_t IDCHIT,
                                  const QString& table = kReceiptsTable);

// A line of another document (IDCHIT other than `except`) with this series and
// number, if Chitante holds one.
std::optional<ReceiptRecord> documentWithNumber(engine::Database& data, const QString& dataDir, const QString& SERIA,
                                                std::int64_t NR, std::int64_t except = 0);

// "INSERT INTO <table> (fields) VALUES (...)" for one line; ChitAnul leaves IDANUL out.
QString insertStatement(const QString& dataDir, const QString& table, const ReceiptRecord& line);

// The type names lists show for TIP: "Chitanta", "Nota contabila", "Ordin de
// plata", "Virament", "???" for a blank TIP (any other letter shows itself).
QString documentTypeName(const QString& TIP);

}  // namespace dajdor::collect
