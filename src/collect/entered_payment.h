// A payment made without the windows, as a cashier would make it: amounts typed
// on lines of the balance (the entry rules apply), "&OPEREAZA", and the Operare
// window confirmed with the given choices or its defaults. The command line's
// "pay" and the tests go through it.
#pragma once

#include "collect/payment_commit.h"
#include "collect/work_tables.h"

#include <optional>
#include <variant>

namespace dajdor::collect {

// An amount typed on the line of `table` with that row id (IDRES, IDDAT, IDDEB).
struct EnteredAmount {
  WorkTable table = WorkTable::Taxes;
  std::int64_t id = 0;
  std::int64_t amount = 0;
};

// What differs from the Operare window's defaults.
struct EnteredChoice {
  std::optional<QString> type;        // "CHITANTA" or "VIRAMENT" for a receipt
  std::optional<QString> number;      // notes, orders and transfers
  std::optional<QDate> documentDate;  // the calculation date
  std::optional<QString> payer;       // the taxpayer's name
};

// The stored document, or the refusal the windows would show (nothing stored).
std::variant<Problem, CommittedDocument> payEnteredAmounts(PaymentContext& context, std::int64_t IDGOS,
                                                           const QDate& calcDate, const QList<EnteredAmount>& amounts,
                                                           const EnteredChoice& choice = {});

}  // namespace dajdor::collect
