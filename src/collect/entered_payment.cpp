#include "collect/entered_payment.h"

#include "collect/paid_amounts.h"

namespace dajdor::collect {
namespace {

// The amount typed on the line with that id, through the line's entry rule;
// false when the balance has no such line.
template <typename Line>
bool enter(QList<Line>& lines, std::int64_t Line::*key, const EnteredAmount& a,
           std::int64_t (*rule)(std::int64_t typed, std::int64_t due)) {
  for (Line& l : lines)
    if (l.*key == a.id) {
      l.ACHITAT = rule(a.amount, l.DEPLATA);
      return true;
    }
  return false;
}

}  // namespace

std::variant<Problem, CommittedDocument> payEnteredAmounts(PaymentContext& context, std::int64_t IDGOS,
                                                           const QDate& calcDate, const QList<EnteredAmount>& amounts,
                                                           const EnteredChoice& choice) {
  const QString title = QStringLiteral("Operare");
  const auto taxpayer = readTaxpayerHeader(context.data, context.dataDir, IDGOS);
  if (!taxpayer) return Problem{title, QStringLiteral("Contribuabilul %1 nu exista!").arg(IDGOS), {}};
  const bool noPenalties = penaltiesWaived(context.rates, taxpayer->NOTAX);
  Balance balance = computeBalance({context.data, context.dataDir, context.rates, context.workYear}, noPenalties,
                                   calcDate, taxpayer->naturalPerson(), IDGOS);
  for (const EnteredAmount& a : amounts) {
    const bool found = a.table == WorkTable::Taxes ? enter(balance.taxes, &TaxLine::IDRES, a, paidOnBalanceLine)
                       : a.table == WorkTable::OtherTaxes
                           ? enter(balance.others, &OtherTaxLine::IDDAT, a, paidOnOtherTax)
                           : enter(balance.debits, &DebitLine::IDDEB, a, paidOnBalanceLine);
    if (!found)
      return Problem{
          title,
          QStringLiteral("Randul %1:%2 nu este in situatia contribuabilului!").arg(workTableName(a.table)).arg(a.id),
          {}};
  }
  auto prepared = prepareOperation(context, {balance, *taxpayer, calcDate, noPenalties});
  if (auto* refusal = std::get_if<Problem>(&prepared)) return *refusal;
  const PreparedOperation& op = std::get<PreparedOperation>(prepared);
  if (op.hasNoLines()) return noLinesProblem();
  OperationChoice confirmed{choice.type.value_or(op.header.types.first()),
                            choice.number.value_or(op.header.proposedNumber),
                            choice.documentDate.value_or(op.header.documentDate),
                            choice.payer.value_or(op.header.defaultPayer)};
  if (confirmed.type == kTypeReceipt) confirmed.number = op.header.proposedNumber;
  if (!op.header.types.contains(confirmed.type))
    return Problem{title, QStringLiteral("Tipul %1 nu se poate alege pentru acest document!").arg(confirmed.type), {}};
  if (auto problem = checkOperation(context, op, confirmed)) return *problem;
  return commitPayment(context, op, confirmed);
}

}  // namespace dajdor::collect
