// The register window's two buttons of the debt generation, as operations:
// "A&dauga Gospodaria (ROL) la plata" for the taxpayer shown and "Adauga toate
// &Localitatile la plata" for the whole register, with their checks, questions
// and messages. Unattended (after the daily import) nothing is asked or told.
#pragma once

#include "register/transfer_to_debts.h"

#include <optional>

namespace dajdor::reg {

struct PaymentRun {
  engine::Database& db;
  QString dataDir;
  SettingsFile& settings;
  const admin::Rates& rates;
  Interaction& ui;
  int workYear = kWorkYear;
};

// AddLaPlata: the shown taxpayer, the village combo's text. True when transferred.
bool AddLaPlata(const PaymentRun& run, const std::optional<Taxpayer>& shown, const QString& villageText);

// AddAllPlata: every taxpayer, village after village of `villages`. The summary,
// or nothing when there was nothing to send or the user said no.
std::optional<TransferSummary> AddAllPlata(const PaymentRun& run, const QStringList& villages, bool unattended);

}  // namespace dajdor::reg
