// A data directory ready for payments: the collections tables, the snapshot
// and cancelled-receipt tables, CODCL with accounts, and Dajdor.set with the
// series and numbers of two cashiers.
#pragma once

#include "collect/collect_fixture.h"
#include "collect/entered_payment.h"
#include "collect/payment_context.h"
#include "users/current_user.h"

namespace dajdor::testing {

class PaymentTest : public CollectTest {
 protected:
  void SetUp() override;

  static CurrentUser user(const QString& name, int level);
  collect::PaymentContext context(const CurrentUser& who);
  // The cashier ANA (series "AB", next number 1) unless another user is given.
  collect::CommittedDocument pay(std::int64_t IDGOS, const QDate& day, const QList<collect::EnteredAmount>& amounts,
                                 const collect::EnteredChoice& choice = {});
  collect::Problem refusal(std::int64_t IDGOS, const QDate& day, const QList<collect::EnteredAmount>& amounts,
                           const collect::EnteredChoice& choice = {});
  // Every row of the tables a payment and a cancellation write, as text.
  QStringList storedState();
  QString counter(const QString& section, const QString& key) const;

  CurrentUser cashier = user("ANA", UserLevel::Cashier);
  CurrentUser active = cashier;
};

}  // namespace dajdor::testing
