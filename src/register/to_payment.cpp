#include "register/to_payment.h"

#include "store/sql_helpers.h"

namespace dajdor::reg {
namespace {

const QString kAllTitle = QStringLiteral("Adaugare localitate la plata");

}  // namespace

bool AddLaPlata(const PaymentRun& run, const std::optional<Taxpayer>& shown, const QString& villageText) {
  if (!shown) {
    run.ui.problem(QStringLiteral("Nu ati ales nici o persoana!"), TaxpayerField::Name);
    return false;
  }
  if (shown->role.trimmed().isEmpty()) {
    run.ui.problem(QStringLiteral("%1 nu are Numar de ROL! Apasa Modifica si pune-i!").arg(shown->name),
                   TaxpayerField::Role);
    return false;
  }
  if (villageText.trimmed().isEmpty()) {
    run.ui.problem(QStringLiteral("Nu ati ales Localitatea!"), TaxpayerField::Village);
    return false;
  }
  TransferOutcome outcome;
  run.ui.progressStart(QStringLiteral("Transfer la datorii..."), 8);
  try {
    TransferStore store(run.db, run.dataDir, run.settings, run.rates, run.workYear);
    outcome = TransferToDebts(store, *shown, {*shown, run.rates, run.workYear});
  } catch (const std::exception& e) {
    run.ui.progressEnd();
    run.ui.error(QStringLiteral("Eroare"), sql::message(e));
    return false;
  }
  run.ui.progressStep(8);
  run.ui.progressEnd();
  if (!outcome.transferred) {
    run.ui.message(kTransferTitle, outcome.refusal, Button::Ok, MessageKind::Warning);
    return false;
  }
  run.ui.message(kTransferTitle, QStringLiteral("%1 a fost adaugat la plata.").arg(shown->role), Button::Ok,
                 MessageKind::Information);
  return true;
}

std::optional<TransferSummary> AddAllPlata(const PaymentRun& run, const QStringList& villages, bool unattended) {
  QList<Taxpayer> taxpayers;
  try {
    taxpayers = taxpayersToTransfer(run.db, run.dataDir, villages);
  } catch (const std::exception& e) {
    if (!unattended) run.ui.error(QStringLiteral("Eroare"), sql::message(e));
    return std::nullopt;
  }
  if (!unattended) {
    if (taxpayers.isEmpty()) {
      run.ui.message(kAllTitle, QStringLiteral("Nu aveti ce adauga la plata!"), Button::Ok, MessageKind::Error);
      return std::nullopt;
    }
    if (!run.ui.confirm(kAllTitle, QStringLiteral("Doriti sa adaugati toate pozitiile la plata?"))) return std::nullopt;
  }
  TransferSummary summary;
  try {
    TransferStore store(run.db, run.dataDir, run.settings, run.rates, run.workYear, 1024);
    // Small batches in the window, so that the progress moves and refusals come soon.
    summary = transferTaxpayers(store, taxpayers, run.rates, run.workYear,
                                {unattended ? 500 : 100, unattended ? nullptr : &run.ui});
  } catch (const std::exception& e) {
    if (!unattended) run.ui.error(QStringLiteral("Eroare"), sql::message(e));
    return std::nullopt;
  }
  if (!unattended)
    run.ui.message(QStringLiteral("Adaugare localitati la plata"), transferSummaryText(summary), Button::Ok,
                   MessageKind::Information);
  return summary;
}

}  // namespace dajdor::reg
