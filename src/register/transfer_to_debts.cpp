#include "register/transfer_to_debts.h"

#include "register/register_list.h"
#include "register/taxpayer_register.h"
#include "store/sql_helpers.h"

#include <QSet>

namespace dajdor::reg {
namespace {

// Runs `work` inside the caller's transaction, or inside one of its own.
template <typename Work>
auto atomically(engine::Database& db, Work work) {
  if (db.inTransaction()) return work();
  engine::Transaction transaction(db);
  auto result = work();
  transaction.commit();
  return result;
}

TransferOutcome transferInTransaction(TransferStore& store, const Taxpayer& taxpayer, const TaxContext& context) {
  TaxpayerFile file = store.read(taxpayer);
  TransferPlan plan = planTransfer(file, context);
  const QString problem = store.problem(plan, taxpayer);
  if (!problem.isEmpty()) return {false, problem};
  store.write(plan, taxpayer);
  return {true, {}};
}

void count(TransferSummary& summary, const TransferOutcome& outcome) {
  if (outcome.transferred) {
    ++summary.added;
  } else {
    ++summary.refused;
    summary.refusals.append(outcome.refusal);
  }
}

void tell(const BatchOptions& options, const QStringList& refusals) {
  if (!options.interaction) return;
  for (const QString& text : refusals) options.interaction->message(kTransferTitle, text, Button::Ok, MessageKind::Warning);
}

}  // namespace

QString noRoleRefusal(const Taxpayer& taxpayer) {
  return QStringLiteral("%1 nu are trecut ROL-ul si a fost respins.").arg(taxpayer.name);
}

QString transferSummaryText(const TransferSummary& summary) {
  return QStringLiteral("Au fost adaugate la plata %1 ROL-uri si respinse %2 ROL-uri.")
      .arg(summary.added)
      .arg(summary.refused);
}

TransferOutcome TransferToDebts(TransferStore& store, const Taxpayer& taxpayer, const TaxContext& context) {
  if (taxpayer.role.trimmed().isEmpty()) return {false, noRoleRefusal(taxpayer)};
  return atomically(store.db(), [&] { return transferInTransaction(store, taxpayer, context); });
}

QList<Taxpayer> taxpayersToTransfer(engine::Database& db, const QString& dataDir, const QStringList& villages) {
  RegisterList list;
  list.open(db, dataDir);
  QList<Taxpayer> taxpayers;
  QSet<std::int64_t> taken;
  const auto takeShown = [&] {
    for (int row = 0; row < list.count(); ++row) {
      const std::int64_t id = list.idgos(row);
      if (taken.contains(id)) continue;
      taken.insert(id);
      taxpayers.append(list.taxpayer(row));
    }
  };
  for (const QString& village : villages) {
    if (village.trimmed().isEmpty()) continue;
    list.setFilter(village, QString());
    takeShown();
  }
  list.setFilter(QString(), QString());
  takeShown();
  return taxpayers;
}

QList<Taxpayer> taxpayersById(engine::Database& db, const QString& dataDir, const QList<std::int64_t>& ids,
                              QList<std::int64_t>* unknown) {
  QList<Taxpayer> taxpayers;
  for (const std::int64_t id : ids) {
    if (const std::optional<Taxpayer> t = findTaxpayer(db, dataDir, id)) {
      taxpayers.append(*t);
    } else if (unknown) {
      unknown->append(id);
    }
  }
  return taxpayers;
}

TransferSummary transferTaxpayers(TransferStore& store, const QList<Taxpayer>& taxpayers, const admin::Rates& rates,
                                  int workYear, const BatchOptions& options) {
  TransferSummary summary;
  const RateCache cache(rates);
  if (options.interaction) options.interaction->progressStart(QStringLiteral("Transfer la datorii..."), taxpayers.size());
  const int per = std::max(1, options.taxpayersPerTransaction);
  for (qsizetype first = 0; first < taxpayers.size(); first += per) {
    const QList<Taxpayer> batch = taxpayers.mid(first, per);
    TransferSummary done;
    try {
      engine::Transaction transaction(store.db());
      store.prefetch(batch);
      for (const Taxpayer& t : batch) count(done, TransferToDebts(store, t, {t, rates, workYear, &cache}));
      transaction.commit();
    } catch (const std::exception&) {
      // Whatever failed is rolled back with the whole batch; each taxpayer goes
      // again on his own, and only the one it belongs to is refused.
      done = {};
      store.forget();
      for (const Taxpayer& t : batch) {
        try {
          count(done, TransferToDebts(store, t, {t, rates, workYear, &cache}));
        } catch (const std::exception& e) {
          count(done, {false, QStringLiteral("%1 (ROL %2, %3) a fost respins: %4")
                                  .arg(t.name, t.role, t.village, sql::message(e))});
        }
      }
    }
    summary.added += done.added;
    summary.refused += done.refused;
    summary.refusals += done.refusals;
    tell(options, done.refusals);
    if (options.interaction) options.interaction->progressStep(static_cast<int>(batch.size()));
  }
  if (options.interaction) options.interaction->progressEnd();
  return summary;
}

}  // namespace dajdor::reg
