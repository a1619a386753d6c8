// The budget accounts the payment windows put on their lines: read from CODCL,
// and "Coduri clasificare", the administration's code window, opened from them.
#pragma once

#include "collect/document_lines.h"

#include <optional>

class QWidget;

namespace dajdor::collect {

// Nothing (after telling the user under `title`) when CODCL cannot be read.
std::optional<BudgetAccounts> readBudgetAccounts(PaymentContext& payment, Interaction& ui, const QString& title);
// The code window, then the accounts as it left them.
std::optional<BudgetAccounts> editBudgetCodes(PaymentContext& payment, Interaction& ui, const QString& title,
                                              QWidget* parent);

}  // namespace dajdor::collect
