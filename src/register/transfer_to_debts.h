// Sending taxpayers to payment: TransferToDebts for one taxpayer, and the batch
// behind AddAllPlata and the command line.
//
// One taxpayer is never half-written: his rows are computed and checked first,
// then written inside a transaction. A batch groups many taxpayers per
// transaction (a disk sync per taxpayer would cost minutes on a commune); when
// anything fails inside one, it is rolled back and its taxpayers are sent again
// one transaction each, so an error refuses only the taxpayer it belongs to and
// a crash leaves every taxpayer either untouched or fully transferred.
#pragma once

#include "register/transfer_store.h"
#include "store/interaction.h"

#include <QStringList>

namespace dajdor::reg {

inline const QString kTransferTitle = QStringLiteral("Adaugare la plata");

struct TransferOutcome {
  bool transferred = false;
  QString refusal;  // why not, for the user
};

// TransferToDebts: recomputes every tax of the taxpayer and writes his lines,
// arrears and balances, in the caller's transaction or in one of its own.
// A taxpayer without a role, or whose amounts do not fit their fields, is
// refused and nothing of his is written. Engine failures are thrown.
TransferOutcome TransferToDebts(TransferStore& store, const Taxpayer& taxpayer, const TaxContext& context);

struct TransferSummary {
  int added = 0;
  int refused = 0;
  QStringList refusals;  // one per refused taxpayer, in order
};

// "<NUMEP> nu are trecut ROL-ul si a fost respins."
QString noRoleRefusal(const Taxpayer& taxpayer);
// "Au fost adaugate la plata N ROL-uri si respinse M ROL-uri."
QString transferSummaryText(const TransferSummary& summary);

// Every taxpayer to send, in AddAllPlata's order: village after village as
// `villages` lists them, each in the register's order (name, role); then the
// taxpayers of a village the list lacks, so that nobody is left out.
QList<Taxpayer> taxpayersToTransfer(engine::Database& db, const QString& dataDir, const QStringList& villages);
// The taxpayers with these IDGOS, in the order given; unknown ones are skipped
// and returned in `unknown`.
QList<Taxpayer> taxpayersById(engine::Database& db, const QString& dataDir, const QList<std::int64_t>& ids,
                              QList<std::int64_t>* unknown = nullptr);

struct BatchOptions {
  int taxpayersPerTransaction = 500;
  // Told of the progress, and of each refusal once the taxpayers before it are
  // committed (never while the tables are locked); null in unattended runs.
  Interaction* interaction = nullptr;
};

// The batch: every taxpayer in order, counted as added or refused.
TransferSummary transferTaxpayers(TransferStore& store, const QList<Taxpayer>& taxpayers, const admin::Rates& rates,
                                  int workYear, const BatchOptions& options = {});

}  // namespace dajdor::reg
