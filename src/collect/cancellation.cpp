#include "collect/cancellation.h"

#include "collect/receipt_record.h"
#include "register/debt_transfer.h"
#include "store/sql_helpers.h"
#include "users/action_log.h"

namespace dajdor::collect {
namespace {

struct Restore {
  QString snapshot, table, id;
  QStringList fields;
};

// Each snapshot table and the stored table its rows are written back to.
const QList<Restore>& restores() {
  static const QList<Restore> list{
      {QStringLiteral("UndelDat.dbf"), reg::kDebtTable, "IDDAT", {"SUMA", "REST", "REDUC", "SUMA2", "RESTINI"}},
      {QStringLiteral("UndelSold.dbf"),
       reg::kBalanceTable,
       "IDRES",
       {"SUMA", "REST", "REDUC", "SCUTIRE", "DATOR", "DEPOZ", "MAJOR", "DATORI", "DEPOZI", "MAJORI"}},
      {QStringLiteral("UndelDebit.dbf"), QStringLiteral("Debit.dbf"), "IDDEB", {"SUMAINI", "SUMAC"}},
  };
  return list;
}

void restoreSnapshot(PaymentContext& c, std::int64_t IDANUL, ProgressScope& progress) {
  const QString idanul = sql::number(IDANUL);
  for (const Restore& r : restores()) {
    const QString snapshot = sql::table(c.dataDir, r.snapshot);
    const auto rows = sql::query(c.data, "SELECT IDGOS, " + r.id + ", " + r.fields.join(", ") + " FROM " + snapshot +
                                             "\nWHERE IDANUL=" + idanul);
    for (std::size_t row = 0; row < rows->rowCount(); ++row) {
      QStringList set;
      for (int f = 0; f < r.fields.size(); ++f) {
        const engine::Value v = rows->value(row, static_cast<std::size_t>(f + 2));
        set.append(r.fields[f] + '=' + (v.isNull() ? QStringLiteral("NULL") : sql::number(v.toInt())));
      }
      sql::execute(c.data, "UPDATE " + sql::table(c.dataDir, r.table) + "\nSET " + set.join(", ") +
                               "\nWHERE IDGOS=" + sql::number(rows->value(row, 0).toInt()) + " AND " + r.id + "=" +
                               sql::number(rows->value(row, 1).toInt()));
    }
    sql::execute(c.data, "DELETE FROM " + snapshot + "\nWHERE IDANUL=" + idanul);
    progress.step(3);
  }
}

// An active document of the same taxpayer stored after this one.
bool laterActiveDocument(PaymentContext& c, const ReceiptRecord& doc) {
  return sql::scalar(c.data, "SELECT COUNT(*) FROM " + sql::table(c.dataDir, kReceiptsTable) + "\nWHERE IDGOS=" +
                                 sql::number(doc.IDGOS) + " AND IDCHIT>" + sql::number(doc.IDCHIT) +
                                 " AND PLATNUME<>" + sql::quote(kCancelledPayer)) > 0;
}

}  // namespace

bool cancelDocument(PaymentContext& context, std::int64_t IDCHIT, Interaction& ui) {
  QList<ReceiptRecord> lines = readDocument(context.data, context.dataDir, IDCHIT);
  if (lines.isEmpty() || lines.first().PLATNUME == kCancelledPayer) {
    ui.error(QStringLiteral("Anulare chitanta"), QStringLiteral("Chitanta nu exista sau este deja anulata!"));
    return false;
  }
  if (context.user.isRestrictedUser() && lines.first().INCANUME != context.user.name) {
    ui.error(QStringLiteral("Anulare Chitanta"), QStringLiteral("Nu puteti anula chitanta altuia!"));
    return false;
  }
  if (!ui.confirm(QStringLiteral("Anulare chitanta"), QStringLiteral("Anulati chitanta selectata ?"))) return false;

  ActionLog log(context.data, context.dataDir);
  log.createTable();
  {
    engine::Transaction transaction(context.data);
    // Read again under the lock: another workstation may have cancelled it meanwhile.
    lines = readDocument(context.data, context.dataDir, IDCHIT);
    if (lines.isEmpty() || lines.first().PLATNUME == kCancelledPayer) {
      ui.error(QStringLiteral("Anulare chitanta"), QStringLiteral("Chitanta nu exista sau este deja anulata!"));
      return false;
    }
    const ReceiptRecord doc = lines.first();
    const bool withSnapshot = doc.IDANUL != -1;
    if (withSnapshot && laterActiveDocument(context, doc)) {
      ui.error(QStringLiteral("Anulare"), QStringLiteral("Nu puteti anula decat ultima chitanta!"));
      return false;
    }
    log.log(context.now, context.user.name, withSnapshot ? doc.ROL : ActionLog::noTaxpayerRole(),
            ActionLog::cancellationText(doc.SERIA, QString::number(doc.NR), doc.DATAI, doc.PLATNUME));
    {
      ProgressScope copying(ui, QStringLiteral("Anulez chitanta..."), static_cast<int>(lines.size()));
      for (const ReceiptRecord& line : lines) {
        sql::execute(context.data, insertStatement(context.dataDir, kCancelledTable, line));
        copying.step();
      }
    }
    ProgressScope restoring(ui, QStringLiteral("Refac situatia..."), 10);
    sql::execute(context.data, "UPDATE " + sql::table(context.dataDir, kReceiptsTable) +
                                   "\nSET PLATNUME=" + sql::quote(kCancelledPayer) +
                                   ", RESTANTA=0, MAJOREST=0, DEPOZIT=0, CURENT=0, MAJOR=0, REDUCERE=0, TOTAL=0"
                                   "\nWHERE IDCHIT=" + sql::number(IDCHIT));
    restoring.step();
    if (withSnapshot) restoreSnapshot(context, doc.IDANUL, restoring);
    transaction.commit();
  }
  ui.info(QStringLiteral("Anulare operatiune"), QStringLiteral("Operatiunea a fost anulata!"));
  return true;
}

bool deleteCancelledDocument(PaymentContext& context, std::int64_t IDCHIT, Interaction& ui) {
  const QString title = QStringLiteral("Stergere Chitanta anulata");
  if (!context.user.isAdministrator()) {
    ui.error(title, QStringLiteral("Numai administratorul poate sterge chitantele anulate!"));
    return false;
  }
  const QList<ReceiptRecord> lines = readDocument(context.data, context.dataDir, IDCHIT);
  if (lines.isEmpty() || lines.first().PLATNUME != kCancelledPayer) {
    ui.error(title, QStringLiteral("Se pot sterge numai chitantele anulate!"));
    return false;
  }
  if (!ui.confirm(title, QStringLiteral("Stergeti chitanta anulata?"), MessageKind::Warning)) return false;
  sql::execute(context.data, "DELETE FROM " + sql::table(context.dataDir, kReceiptsTable) +
                                 "\nWHERE IDCHIT=" + sql::number(IDCHIT) + " AND PLATNUME=" +
                                 sql::quote(kCancelledPayer));
  return true;
}

}  // namespace dajdor::collect
