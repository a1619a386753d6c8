// "Operatiuni fara debit": receipts (INCASARE) and payment orders (PLATA) for
// people without a debt in the register, stored with IDGOS -1 and IDANUL -1.
#pragma once

#include "collect/document_lines.h"
#include "collect/payment_commit.h"
#include "collect/payment_context.h"

#include <QDate>
#include <QList>

namespace dajdor::collect {

enum class WithoutDebtKind { Incasare, Plata };

// objectNames of the window's inputs the checks report on.
inline const QString kHolderField = QStringLiteral("Titular");
inline const QString kCodeField = QStringLiteral("CNP");
inline const QString kAddressField = QStringLiteral("Adresa");
inline const QString kWithoutDebtPayerField = QStringLiteral("Platitor");
inline const QString kGroupField = QStringLiteral("Contul");
inline const QString kAmountField = QStringLiteral("Suma");
inline const QString kWithoutDebtLinesField = QStringLiteral("LiniiChitanta");

// What the header shows for the type: "Chitanta seria" with the user's series
// and next receipt number, or "O.P. seria" with no series and the next payment-order number.
struct WithoutDebtNumber {
  QString label, series, number;
};
WithoutDebtNumber proposeWithoutDebtNumber(PaymentContext& context, WithoutDebtKind kind);

struct WithoutDebtHeader {
  WithoutDebtKind kind = WithoutDebtKind::Incasare;
  QDate date;
  QString holder, code, address, payer;
  bool naturalPerson = true;  // "Fizica"
};

// A line of the document being written (NRCRT = index + 1).
struct WithoutDebtLine {
  QString GRUPA, CODCLAS, DENUM;
  std::int64_t amount = 0;
};

// "&Adauga pe chitanta": the amount must be above 0 ("Nu ati trecut suma!") and a
// group chosen ("Nu ales grupa!"); the line gets the group's account for the person type.
std::optional<Problem> addWithoutDebtLine(QList<WithoutDebtLine>& lines, const WithoutDebtHeader& header,
                                          const QString& group, const QString& details, const QString& amount,
                                          const BudgetAccounts& accounts);
// "&Sterge de pe chitanta": "Nu aveti ce sterge!" when there is no line at `index`.
std::optional<Problem> removeWithoutDebtLine(QList<WithoutDebtLine>& lines, int index);
// "TOTAL".
std::int64_t withoutDebtTotal(const QList<WithoutDebtLine>& lines);

// The checks of "&Opereaza" in order (lines, holder, code, address, payer).
std::optional<Problem> checkWithoutDebt(const WithoutDebtHeader& header, const QList<WithoutDebtLine>& lines);

// Stores the document in one transaction with the number taken then (the user's
// receipt counter or the payment-order counter) and the action log row. Throws
// engine::Error or StoreError when it cannot be stored; nothing is then.
CommittedDocument commitWithoutDebt(PaymentContext& context, const WithoutDebtHeader& header,
                                    const QList<WithoutDebtLine>& lines);

}  // namespace dajdor::collect
