#include "collect/payment_operation.h"

#include "collect/document_numbers.h"
#include "collect/receipt_record.h"
#include "store/text_rules.h"

namespace dajdor::collect {
namespace {

OperationHeader headerFor(DocumentKind kind, const QString& series, const QString& proposed,
                          const TaxpayerHeader& taxpayer, const QDate& calcDate, std::int64_t total) {
  OperationHeader h;
  h.defaultPayer = taxpayer.NUMEP;
  h.documentDate = calcDate;
  h.total = total;
  switch (kind) {
    case DocumentKind::AccountingNote:
      h.types = {kTypeAccountingNote};
      h.series = QStringLiteral("-");
      h.numberEditable = true;
      h.payerEnabled = false;
      break;
    case DocumentKind::PaymentOrder:
      h.types = {kTypePaymentOrder};
      h.series = QStringLiteral("-");
      h.numberEditable = true;
      break;
    default:
      h.types = {kTypeReceipt, kTypeTransfer};
      h.series = series;
      h.proposedNumber = proposed;
      break;
  }
  return h;
}

std::int64_t enteredTotal(const Balance& b) {
  std::int64_t total = 0;
  for (const TaxLine& l : b.taxes) total += l.ACHITAT;
  for (const OtherTaxLine& l : b.others) total += l.ACHITAT;
  for (const DebitLine& l : b.debits) total += l.ACHITAT;
  return total;
}

}  // namespace

NumberField numberFieldFor(const OperationHeader& header, const QString& type, const QString& typed) {
  if (type == kTypeReceipt) return {header.proposedNumber, false};
  return {typed, true};
}

Problem noLinesProblem() {
  return {QStringLiteral("Operare"), QStringLiteral("Nu ati facut nici o operatiune!\rNu aveti ce opera..."), {}};
}

std::int64_t documentNumber(const QString& text) {
  QString digits;
  for (const QChar c : text)
    if (c.isDigit()) digits.append(c);
  digits = digits.left(18);
  return digits.toLongLong();
}

std::variant<Problem, PreparedOperation> prepareOperation(PaymentContext& context, const OperationInput& input) {
  const Classification c = classifyPayment(input.balance);
  if (!c.kind) return Problem{c.title, c.problem, {}};
  PreparedOperation op;
  op.kind = *c.kind;
  op.taxpayer = input.taxpayer;
  op.calcDate = input.calcDate;
  op.noPenalties = input.noPenalties;
  op.balance = input.balance;
  op.settlement = settle(input.balance, {op.kind, input.calcDate, input.noPenalties, context.workYear});
  const QString series = context.settings.ReadSetting(context.user.name, QStringLiteral("SERIA"));
  const QString proposed =
      QString::number(DocumentNumbers(context.data, context.dataDir, context.settings).nextReceiptNumber(context.user.name));
  const BudgetAccounts accounts = BudgetAccounts::read(context.data);
  op.lines = groupLines(op.settlement.lines, series, proposed.toLongLong(), accounts, op.naturalPerson());
  op.header = headerFor(op.kind, series, proposed, input.taxpayer, input.calcDate, enteredTotal(input.balance));
  return op;
}

std::optional<Problem> closedYearProblem(const PaymentContext& context, const QDate& documentDate) {
  const QString closed = context.settings.ReadSetting(QStringLiteral("VARIABILE"), QStringLiteral("ANINCHIS")).trimmed();
  bool ok = false;
  const int year = closed.toInt(&ok);
  if (closed.isEmpty() || !ok || year < documentDate.year()) return std::nullopt;
  return Problem{QStringLiteral("Memorare chitanta"),
                 QStringLiteral("Anul ") + closed + QStringLiteral(" este inchis!\rNu mai puteti lucra in el! Adios..."),
                 {}};
}

std::optional<Problem> duplicateReceiptProblem(PaymentContext& context, const QString& series, std::int64_t number) {
  const auto other = documentWithNumber(context.data, context.dataDir, series, number);
  if (!other) return std::nullopt;
  return Problem{QStringLiteral("Verificare de dubluri"),
                 QStringLiteral("Mai exista chitanta aceasta la  ROL ") + other->ROL +
                     QStringLiteral(" !\rContactati Operatorul de ROL sau Administratorul sa va modifice numarul "
                                    "chitantei!"),
                 {}};
}

std::optional<Problem> checkOperation(PaymentContext& context, const PreparedOperation& operation,
                                      const OperationChoice& choice, Interaction* progress) {
  if (auto closed = closedYearProblem(context, choice.documentDate)) return closed;
  const std::int64_t number = documentNumber(choice.number);
  if (number == 0) return Problem{{}, QStringLiteral("Numar incorect!"), kDocumentNumberField};
  if (CleanSpaces(choice.payer).isEmpty())
    return Problem{{}, QStringLiteral("Nu ati scris Platitorul!"), kPayerField};
  for (const DocumentLine& l : operation.lines)
    if (l.CODCLAS.trimmed().isEmpty())
      return Problem{{},
                     QStringLiteral("Nu aveti Contul la ") + l.GRUPA +
                         QStringLiteral("!\rApasati pe butonul Coduri clasificare si adaugati-l!"),
                     kLinesField};
  if (choice.type != kTypeReceipt) return std::nullopt;
  std::optional<ProgressScope> checking;
  if (progress) checking.emplace(*progress, QStringLiteral("Verific dubluri la chitanta..."), 1);
  // The number the commit will take: the proposal may have gone meanwhile to
  // this user's receipt on another workstation. Read under the directory's
  // lock, so that a commit elsewhere is seen whole (its document and numbers)
  // or not at all.
  engine::Transaction lock(context.data);
  const std::int64_t next =
      DocumentNumbers(context.data, context.dataDir, context.settings).nextReceiptNumber(context.user.name);
  return duplicateReceiptProblem(context, operation.header.series, next);
}

}  // namespace dajdor::collect
