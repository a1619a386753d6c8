#include "collect/payment_without_debt.h"

#include "collect/document_numbers.h"
#include "register/personal_code.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/text_rules.h"
#include "users/action_log.h"

namespace dajdor::collect {

WithoutDebtNumber proposeWithoutDebtNumber(PaymentContext& context, WithoutDebtKind kind) {
  DocumentNumbers next(context.data, context.dataDir, context.settings);
  if (kind == WithoutDebtKind::Plata)
    return {QStringLiteral("O.P. seria"), QString(), QString::number(next.nextPaymentOrderNumber())};
  return {QStringLiteral("Chitanta seria"), context.settings.ReadSetting(context.user.name, QStringLiteral("SERIA")),
          QString::number(next.nextReceiptNumber(context.user.name))};
}

std::optional<Problem> addWithoutDebtLine(QList<WithoutDebtLine>& lines, const WithoutDebtHeader& header,
                                          const QString& group, const QString& details, const QString& amount,
                                          const BudgetAccounts& accounts) {
  const std::int64_t sum = documentNumber(amount.left(6));
  if (sum <= 0) return Problem{{}, QStringLiteral("Nu ati trecut suma!"), kAmountField};
  if (group.trimmed().isEmpty()) return Problem{{}, QStringLiteral("Nu ales grupa!"), kGroupField};
  lines.append({group.trimmed(), accounts.account(group, header.naturalPerson), details.trimmed().left(50), sum});
  return std::nullopt;
}

std::optional<Problem> removeWithoutDebtLine(QList<WithoutDebtLine>& lines, int index) {
  if (index < 0 || index >= lines.size())
    return Problem{{}, QStringLiteral("Nu aveti ce sterge!"), kWithoutDebtLinesField};
  lines.removeAt(index);
  return std::nullopt;
}

std::int64_t withoutDebtTotal(const QList<WithoutDebtLine>& lines) {
  std::int64_t total = 0;
  for (const WithoutDebtLine& l : lines) total += l.amount;
  return total;
}

std::optional<Problem> checkWithoutDebt(const WithoutDebtHeader& header, const QList<WithoutDebtLine>& lines) {
  if (lines.isEmpty()) return Problem{{}, QStringLiteral("Nu aveti nimic pe chitanta!"), kWithoutDebtLinesField};
  if (CleanSpaces(header.holder).isEmpty())
    return Problem{{}, QStringLiteral("Nu ati specificat Titularul!"), kHolderField};
  const QString code = header.code.trimmed();
  if (!code.isEmpty() && !reg::Corect(code) && !IsValidCui(code))
    return Problem{{}, QStringLiteral("C.N.P. incorect!"), kCodeField};
  if (CleanSpaces(header.address).isEmpty()) return Problem{{}, QStringLiteral("Lipseste adresa!"), kAddressField};
  if (CleanSpaces(header.payer).isEmpty())
    return Problem{{}, QStringLiteral("Lipseste numele platitorului!"), kWithoutDebtPayerField};
  return std::nullopt;
}

CommittedDocument commitWithoutDebt(PaymentContext& context, const WithoutDebtHeader& header,
                                    const QList<WithoutDebtLine>& lines) {
  const bool receipt = header.kind == WithoutDebtKind::Incasare;
  ActionLog log(context.data, context.dataDir);
  log.createTable();
  engine::Transaction transaction(context.data);
  DocumentNumbers numbers(context.data, context.dataDir, context.settings);
  CommittedDocument doc;
  doc.IDCHIT = numbers.documentId();
  doc.kind = receipt ? DocumentKind::Receipt : DocumentKind::PaymentOrder;
  const QString series =
      receipt ? context.settings.ReadSetting(context.user.name, QStringLiteral("SERIA")) : QString();
  // The number is taken now, under the lock: the one shown when a line was
  // added may meanwhile have gone to another workstation.
  const std::int64_t number = receipt ? numbers.receiptNumber(context.user.name) : numbers.paymentOrderNumber();
  if (receipt) {
    if (auto duplicate = duplicateReceiptProblem(context, series, number)) throw StoreError(duplicate->text);
  }
  doc.number = QString::number(number);
  for (const WithoutDebtLine& l : lines) {
    ReceiptRecord r;
    r.IDCHIT = doc.IDCHIT;
    r.IDGOS = -1;
    r.IDANUL = -1;
    r.SERIA = series;
    r.NR = number;
    r.DATAI = header.date;
    r.GRUPA = l.GRUPA;
    r.CODCLAS = l.CODCLAS;
    r.DENUM = l.DENUM;
    r.NUMEP = CleanSpaces(header.holder).left(40);
    r.CNP = header.code.trimmed();
    r.ADRESA = CleanSpaces(header.address).left(80);
    r.TIPF = header.naturalPerson ? QStringLiteral("F") : QStringLiteral("J");
    r.PLATNUME = CleanSpaces(header.payer).left(40);
    r.INCANUME = context.user.name;
    r.LEGITIMA = context.user.legitimation;
    r.CURENT = l.amount;
    r.TOTAL = l.amount;
    r.TIP = receipt ? QStringLiteral("C") : QStringLiteral("O");
    sql::execute(context.data, insertStatement(context.dataDir, kReceiptsTable, r));
    doc.lines.append(r);
  }
  log.log(context.now, context.user.name, ActionLog::noTaxpayerRole(),
          ActionLog::paymentText(lineType(doc.kind), doc.number));
  transaction.commit();
  numbers.publish();
  return doc;
}

}  // namespace dajdor::collect
