// "Anuleaza chitanta" and "Sterge chitanta" of the receipt history: a
// cancellation puts back the snapshot taken before the operation, keeps a copy
// of the lines in ChitAnul and zeroes the document, all in one transaction.
#pragma once

#include "collect/payment_context.h"

namespace dajdor::collect {

// Asks "Anulati chitanta selectata ?" and cancels document IDCHIT. Refused for
// a restricted user on another cashier's document, and, for an operation of the
// collections window, when any later operation of the same taxpayer is still
// active (whatever the history shows). True when it was cancelled ("Operatiunea
// a fost anulata!" shown). Throws engine::Error when the tables cannot be
// written; nothing is changed then.
bool cancelDocument(PaymentContext& context, std::int64_t IDCHIT, Interaction& interaction);

// Asks "Stergeti chitanta anulata?" and removes the lines of a cancelled document
// from Chitante (its copy stays in ChitAnul). Only an administrator, only a
// cancelled document. True when removed.
bool deleteCancelledDocument(PaymentContext& context, std::int64_t IDCHIT, Interaction& interaction);

}  // namespace dajdor::collect
