#include "collect/document_kind.h"

namespace dajdor::collect {

QChar lineType(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::AccountingNote: return QLatin1Char('N');
    case DocumentKind::PaymentOrder: return QLatin1Char('O');
    case DocumentKind::Receipt: return QLatin1Char('C');
    case DocumentKind::Transfer: return QLatin1Char('V');
  }
  return QLatin1Char('C');
}

Classification classifyPayment(const Balance& balance) {
  std::int64_t paid = 0, taken = 0;
  const auto count = [&](std::int64_t amount) { (amount > 0 ? paid : taken) += amount > 0 ? amount : -amount; };
  for (const TaxLine& l : balance.taxes) count(l.ACHITAT);
  for (const OtherTaxLine& l : balance.others) count(l.ACHITAT);
  for (const DebitLine& l : balance.debits) count(l.ACHITAT);
  const QString title = QStringLiteral("Operare");
  if (paid + taken == 0) return {std::nullopt, title, QStringLiteral("Nu aveti nimic operat!")};
  if (paid > 0 && taken > 0) {
    if (paid != taken) return {std::nullopt, title, QStringLiteral("Nota contabila nu se inchide cu 0!")};
    return {DocumentKind::AccountingNote, {}, {}};
  }
  return {paid > 0 ? DocumentKind::Receipt : DocumentKind::PaymentOrder, {}, {}};
}

}  // namespace dajdor::collect
