#include "collect/budget_accounts_window.h"

#include "admin/budget_codes_window.h"
#include "store/sql_helpers.h"

namespace dajdor::collect {

std::optional<BudgetAccounts> readBudgetAccounts(PaymentContext& payment, Interaction& ui, const QString& title) {
  try {
    return BudgetAccounts::read(payment.data);
  } catch (const std::exception& e) {
    ui.error(title, sql::message(e));
    return std::nullopt;
  }
}

std::optional<BudgetAccounts> editBudgetCodes(PaymentContext& payment, Interaction& ui, const QString& title,
                                              QWidget* parent) {
  admin::BudgetCodesWindow codes(payment.data, payment.settings, ui, parent);
  codes.showList();
  return readBudgetAccounts(payment, ui, title);
}

}  // namespace dajdor::collect
