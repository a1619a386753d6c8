#include "collect/receipt_record.h"

#include "store/day_number.h"
#include "store/sql_helpers.h"

#include <QStringList>

namespace dajdor::collect {
namespace {

QString textAt(const engine::RowSource& rows, std::size_t row, int column) {
  if (column < 0) return QString();
  QString text = QString::fromStdString(rows.value(row, static_cast<std::size_t>(column)).toString());
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

std::int64_t wholeAt(const engine::RowSource& rows, std::size_t row, int column, std::int64_t missing = 0) {
  if (column < 0) return missing;
  const engine::Value v = rows.value(row, static_cast<std::size_t>(column));
  return v.isNull() ? missing : v.toInt();
}

QDate dateAt(const engine::RowSource& rows, std::size_t row, int column) {
  if (column < 0) return QDate();
  const engine::Value v = rows.value(row, static_cast<std::size_t>(column));
  return v.isNull() ? QDate() : dateOfDay(v.toDay());
}

}  // namespace

const QStringList& receiptFields() {
  static const QStringList fields{"IDCHIT",   "IDGOS",    "IDANUL",   "SERIA",   "NR",       "DATAI",   "SATUL",
                                  "ROL",      "GRUPA",    "DENUM",    "CODCLAS", "NUMEP",    "CNP",     "ADRESA",
                                  "TIPF",     "PLATNUME", "INCANUME", "LEGITIMA", "RESTANTA", "MAJOREST", "DEPOZIT",
                                  "CURENT",   "MAJOR",    "REDUCERE", "TOTAL",   "TIP"};
  return fields;
}

ReceiptRecord receiptRecordAt(const engine::RowSource& rows, std::size_t row) {
  const auto col = [&](const char* name) { return rows.columnIndex(name); };
  ReceiptRecord r;
  r.IDCHIT = wholeAt(rows, row, col("IDCHIT"));
  r.IDGOS = wholeAt(rows, row, col("IDGOS"), -1);
  r.IDANUL = wholeAt(rows, row, col("IDANUL"), -1);
  r.SERIA = textAt(rows, row, col("SERIA"));
  r.NR = wholeAt(rows, row, col("NR"));
  r.DATAI = dateAt(rows, row, col("DATAI"));
  r.SATUL = textAt(rows, row, col("SATUL"));
  r.ROL = textAt(rows, row, col("ROL"));
  r.GRUPA = textAt(rows, row, col("GRUPA"));
  r.DENUM = textAt(rows, row, col("DENUM"));
  r.CODCLAS = textAt(rows, row, col("CODCLAS"));
  r.NUMEP = textAt(rows, row, col("NUMEP"));
  r.CNP = textAt(rows, row, col("CNP"));
  r.ADRESA = textAt(rows, row, col("ADRESA"));
  r.TIPF = textAt(rows, row, col("TIPF"));
  r.PLATNUME = textAt(rows, row, col("PLATNUME"));
  r.INCANUME = textAt(rows, row, col("INCANUME"));
  r.LEGITIMA = textAt(rows, row, col("LEGITIMA"));
  r.RESTANTA = wholeAt(rows, row, col("RESTANTA"));
  r.MAJOREST = wholeAt(rows, row, col("MAJOREST"));
  r.DEPOZIT = wholeAt(rows, row, col("DEPOZIT"));
  r.CURENT = wholeAt(rows, row, col("CURENT"));
  r.MAJOR = wholeAt(rows, row, col("MAJOR"));
  r.REDUCERE = wholeAt(rows, row, col("REDUCERE"));
  r.TOTAL = wholeAt(rows, row, col("TOTAL"));
  r.TIP = textAt(rows, row, col("TIP"));
  return r;
}

QList<ReceiptRecord> readDocument(engine::Database& data, const QString& dataDir, std::int64_t IDCHIT,
                                  const QString& table) {
  const auto rows =
      sql::query(data, "SELECT * FROM " + sql::table(dataDir, table) + "\nWHERE IDCHIT=" + sql::number(IDCHIT));
  QList<ReceiptRecord> lines;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) lines.append(receiptRecordAt(*rows, r));
  return lines;
}

std::optional<ReceiptRecord> documentWithNumber(engine::Database& data, const QString& dataDir, const QString& SERIA,
                                                std::int64_t NR, std::int64_t except) {
  const auto rows = sql::query(data, "SELECT * FROM " + sql::table(dataDir, kReceiptsTable) + "\nWHERE NR=" +
                                         sql::number(NR) + "\nAND SERIA=" + sql::quote(SERIA.trimmed()) +
                                         "\nAND IDCHIT<>" + sql::number(except));
  if (rows->rowCount() == 0) return std::nullopt;
  return receiptRecordAt(*rows, 0);
}

QString insertStatement(const QString& dataDir, const QString& table, const ReceiptRecord& l) {
  const bool withSnapshot = table.compare(kCancelledTable, Qt::CaseInsensitive) != 0;
  QStringList fields = receiptFields();
  QStringList values{sql::number(l.IDCHIT), sql::number(l.IDGOS), sql::number(l.IDANUL), sql::quote(l.SERIA),
                     sql::number(l.NR),     sql::date(l.DATAI),   sql::quote(l.SATUL),   sql::quote(l.ROL),
                     sql::quote(l.GRUPA),   sql::quote(l.DENUM),  sql::quote(l.CODCLAS), sql::quote(l.NUMEP),
                     sql::quote(l.CNP),     sql::quote(l.ADRESA), sql::quote(l.TIPF),    sql::quote(l.PLATNUME),
                     sql::quote(l.INCANUME), sql::quote(l.LEGITIMA), sql::number(l.RESTANTA),
                     sql::number(l.MAJOREST), sql::number(l.DEPOZIT), sql::number(l.CURENT), sql::number(l.MAJOR),
                     sql::number(l.REDUCERE), sql::number(l.TOTAL), sql::quote(l.TIP)};
  if (!withSnapshot) {
    fields.removeAt(2);
    values.removeAt(2);
  }
  return "INSERT INTO " + sql::table(dataDir, table) + "\n(" + fields.join(", ") + ")\nVALUES (" +
         values.join(", ") + ")";
}

QString documentTypeName(const QString& TIP) {
  const QString t = TIP.trimmed();
  if (t == QLatin1String("C")) return QStringLiteral("Chitanta");
  if (t == QLatin1String("N")) return QStringLiteral("Nota contabila");
  if (t == QLatin1String("O")) return QStringLiteral("Ordin de plata");
  if (t == QLatin1String("V")) return QStringLiteral("Virament");
  if (t.isEmpty()) return QStringLiteral("???");
  return t;
}

}  // namespace dajdor::collect
