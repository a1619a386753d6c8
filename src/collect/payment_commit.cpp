#include "collect/payment_commit.h"

#include "collect/document_numbers.h"
#include "register/debt_transfer.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"
#include "users/action_log.h"

#include <QHash>

#include <optional>

namespace dajdor::collect {
namespace {

const QString kDebitTable = QStringLiteral("Debit.dbf");

QString changedMeanwhile() {
  return QStringLiteral("Datele contribuabilului au fost modificate de pe alt calculator intre timp!\r"
                        "Operatiunea nu a fost memorata. Recalculati situatia si operati din nou.");
}

// Amounts as stored; a blank field stays blank in the snapshot and back.
using Row = QHash<QString, std::optional<std::int64_t>>;

QString valueText(const std::optional<std::int64_t>& v) { return v ? sql::number(*v) : QStringLiteral("NULL"); }

// The stored rows of the taxpayer in `table`, by their id, with the named amounts.
QHash<std::int64_t, Row> storedRows(PaymentContext& c, const QString& table, const QString& id,
                                    const QStringList& fields, std::int64_t IDGOS) {
  const auto rows = sql::query(c.data, "SELECT " + id + ", " + fields.join(", ") + " FROM " +
                                           sql::table(c.dataDir, table) + "\nWHERE IDGOS=" + sql::number(IDGOS));
  QHash<std::int64_t, Row> byId;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    Row row;
    for (int f = 0; f < fields.size(); ++f) {
      const engine::Value v = rows->value(r, static_cast<std::size_t>(f + 1));
      row.insert(fields[f], v.isNull() ? std::nullopt : std::optional<std::int64_t>(v.toInt()));
    }
    byId.insert(rows->value(r, 0).toInt(), row);
  }
  return byId;
}

bool same(const Row& stored, std::initializer_list<std::pair<const char*, std::int64_t>> seen) {
  for (const auto& [field, value] : seen)
    if (stored.value(QString::fromLatin1(field)).value_or(0) != value) return false;
  return true;
}

QString assignments(const Row& values, const QStringList& fields) {
  QStringList parts;
  for (const QString& f : fields) parts.append(f + '=' + valueText(values.value(f)));
  return parts.join(", ");
}

// Snapshot and new state of every row the operation changes, or false when the
// stored rows are no longer those the balance was computed from.
bool writeBalances(PaymentContext& c, const PreparedOperation& op, std::int64_t IDANUL) {
  const std::int64_t IDGOS = op.taxpayer.IDGOS;
  const QString idgos = sql::number(IDGOS), idanul = sql::number(IDANUL);
  static const QStringList soldFields{"SUMA", "REST", "REDUC", "SCUTIRE", "DATOR", "DEPOZ",
                                      "MAJOR", "DATORI", "DEPOZI", "MAJORI"};
  const auto sold = storedRows(c, reg::kBalanceTable, "IDRES", soldFields, IDGOS);
  if (sold.size() != op.balance.taxes.size()) return false;
  for (const TaxLine& t : op.balance.taxes) {
    const auto it = sold.constFind(t.IDRES);
    if (it == sold.cend() || !same(*it, {{"SUMA", t.SUMA}, {"REST", t.REST}, {"REDUC", t.REDUC},
                                         {"SCUTIRE", t.SCUTIRE}, {"DATOR", t.DATOR}, {"DEPOZ", t.DEPOZ},
                                         {"MAJOR", t.MAJOR}}))
      return false;
  }
  static const QStringList debtFields{"SUMA", "REST", "REDUC", "SUMA2", "RESTINI"};
  const auto debts = op.settlement.otherTaxes.isEmpty()
                         ? QHash<std::int64_t, Row>()
                         : storedRows(c, reg::kDebtTable, "IDDAT", debtFields, IDGOS);
  for (const OtherTaxLine& t : op.balance.others) {
    if (t.ACHITAT == 0) continue;
    const auto it = debts.constFind(t.IDDAT);
    if (it == debts.cend() || !same(*it, {{"SUMA", t.SUMA}, {"REST", t.REST}, {"REDUC", t.REDUC}})) return false;
  }
  static const QStringList debitFields{"SUMAINI", "SUMAC"};
  const auto debits = op.settlement.debits.isEmpty() ? QHash<std::int64_t, Row>()
                                                     : storedRows(c, kDebitTable, "IDDEB", debitFields, IDGOS);
  for (const DebitLine& d : op.balance.debits) {
    if (d.ACHITAT == 0) continue;
    const auto it = debits.constFind(d.IDDEB);
    if (it == debits.cend() || !same(*it, {{"SUMAC", d.SUMAC}})) return false;
  }

  const auto snapshot = [&](const QString& table, const char* id, std::int64_t key, const Row& row,
                            const QStringList& fields) {
    QStringList values{idanul, idgos, sql::number(key)};
    for (const QString& f : fields) values.append(valueText(row.value(f)));
    sql::execute(c.data, "INSERT INTO " + sql::table(c.dataDir, table) + "\n(IDANUL, IDGOS, " +
                             QString::fromLatin1(id) + ", " + fields.join(", ") + ")\nVALUES (" + values.join(", ") +
                             ")");
  };
  const auto update = [&](const QString& table, const char* id, std::int64_t key, const Row& values,
                          const QStringList& fields) {
    sql::execute(c.data, "UPDATE " + sql::table(c.dataDir, table) + "\nSET " + assignments(values, fields) +
                             "\nWHERE IDGOS=" + idgos + " AND " + QString::fromLatin1(id) + "=" + sql::number(key));
  };
  for (const BalanceUpdate& u : op.settlement.balances) {
    snapshot(QStringLiteral("UndelSold.dbf"), "IDRES", u.IDRES, sold.value(u.IDRES), soldFields);
    update(reg::kBalanceTable, "IDRES", u.IDRES,
           {{"SUMA", u.SUMA}, {"REST", u.REST}, {"REDUC", u.REDUC}, {"DATOR", u.DATOR}, {"DEPOZ", u.DEPOZ},
            {"MAJOR", u.MAJOR}},
           {"SUMA", "REST", "REDUC", "DATOR", "DEPOZ", "MAJOR"});
  }
  for (const OtherTaxUpdate& u : op.settlement.otherTaxes) {
    snapshot(QStringLiteral("UndelDat.dbf"), "IDDAT", u.IDDAT, debts.value(u.IDDAT), debtFields);
    update(reg::kDebtTable, "IDDAT", u.IDDAT, {{"SUMA", u.SUMA}, {"REST", u.REST}}, {"SUMA", "REST"});
  }
  for (const DebitUpdate& u : op.settlement.debits) {
    snapshot(QStringLiteral("UndelDebit.dbf"), "IDDEB", u.IDDEB, debits.value(u.IDDEB), debitFields);
    update(kDebitTable, "IDDEB", u.IDDEB, {{"SUMAC", u.SUMAC}}, {"SUMAC"});
  }
  return true;
}

}  // namespace

std::variant<Problem, CommittedDocument> commitPayment(PaymentContext& context, const PreparedOperation& operation,
                                                       const OperationChoice& choice) {
  ActionLog log(context.data, context.dataDir);
  log.createTable();
  // The data directory's lock is held from here to the commit: the counters,
  // the duplicate check and the rows are one step for every workstation.
  engine::Transaction transaction(context.data);
  if (auto closed = closedYearProblem(context, choice.documentDate)) return *closed;
  DocumentNumbers numbers(context.data, context.dataDir, context.settings);

  CommittedDocument doc;
  doc.kind = choice.type == kTypeTransfer ? DocumentKind::Transfer : operation.kind;
  doc.IDCHIT = numbers.documentId();
  doc.IDANUL = numbers.snapshotId();
  if (!writeBalances(context, operation, doc.IDANUL)) return Problem{QStringLiteral("Operare"), changedMeanwhile(), {}};

  const std::int64_t typed = documentNumber(choice.number);
  const QString series = context.settings.ReadSetting(context.user.name, QStringLiteral("SERIA"));
  std::int64_t receiptNumber = 0;
  const TaxpayerHeader& t = operation.taxpayer;
  for (const DocumentLine& l : operation.lines) {
    ReceiptRecord r;
    r.IDCHIT = doc.IDCHIT;
    r.IDGOS = t.IDGOS;
    r.IDANUL = doc.IDANUL;
    r.TIP = doc.kind == DocumentKind::Transfer ? QStringLiteral("V") : l.TIP;
    if (r.TIP == QLatin1String("C")) {
      if (receiptNumber == 0) {
        receiptNumber = numbers.receiptNumber(context.user.name);
        if (auto duplicate = duplicateReceiptProblem(context, series, receiptNumber)) return *duplicate;
      }
      r.SERIA = series;
      r.NR = receiptNumber;
    } else {
      r.SERIA = QStringLiteral(" - ");
      r.NR = l.NR == 0 || doc.kind == DocumentKind::Transfer ? typed : l.NR;
    }
    r.DATAI = choice.documentDate;
    r.SATUL = t.SATUL;
    r.ROL = t.ROL;
    r.GRUPA = l.GRUPA;
    r.DENUM = l.DENUM;
    r.CODCLAS = l.CODCLAS;
    r.NUMEP = t.NUMEP;
    r.CNP = t.CNP;
    r.ADRESA = t.ADRESA;
    r.TIPF = operation.naturalPerson() ? QStringLiteral("F") : QStringLiteral("J");
    r.PLATNUME = CleanSpaces(choice.payer).toUpper().left(40);
    r.INCANUME = context.user.name;
    r.LEGITIMA = context.user.legitimation;
    r.RESTANTA = l.amounts.RESTANTA;
    r.MAJOREST = l.amounts.MAJOREST;
    r.DEPOZIT = l.amounts.DEPOZIT;
    r.CURENT = l.amounts.CURENT;
    r.MAJOR = l.amounts.MAJOR;
    r.REDUCERE = l.amounts.REDUCERE;
    r.TOTAL = l.TOTAL;
    sql::execute(context.data, insertStatement(context.dataDir, kReceiptsTable, r));
    doc.lines.append(r);
  }
  doc.number = QString::number(receiptNumber != 0 ? receiptNumber : typed);
  log.log(context.now, context.user.name, t.ROL, ActionLog::paymentText(lineType(doc.kind), doc.number));
  transaction.commit();
  numbers.publish();
  return doc;
}

}  // namespace dajdor::collect
