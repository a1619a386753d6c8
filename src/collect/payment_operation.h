// "&OPEREAZA" of the collections window up to the confirmation in "Operare":
// the kind of document, the settlement, the grouped lines, what the window's
// header proposes, and the checks of its "&OPEREAZA".
#pragma once

#include "collect/balance.h"
#include "collect/document_lines.h"
#include "collect/payment_context.h"
#include "collect/taxpayer_header.h"

#include <QDate>
#include <QStringList>

#include <optional>
#include <variant>

namespace dajdor::collect {

// objectNames of the Operare inputs the checks report on.
inline const QString kDocumentTypeField = QStringLiteral("TipDoc");
inline const QString kDocumentNumberField = QStringLiteral("NrDoc");
inline const QString kDocumentDateField = QStringLiteral("DataDoc");
inline const QString kPayerField = QStringLiteral("Platitor");
inline const QString kLinesField = QStringLiteral("LiniiChitanta");

// The type list's texts.
inline const QString kTypeReceipt = QStringLiteral("CHITANTA");
inline const QString kTypeTransfer = QStringLiteral("VIRAMENT");
inline const QString kTypeAccountingNote = QStringLiteral("Nota contabila");
inline const QString kTypePaymentOrder = QStringLiteral("Ordin de plata");

// What the Operare header shows when it opens.
struct OperationHeader {
  QStringList types;         // the first one selected
  QString series;            // "-" or the user's "SERIA"
  QString proposedNumber;    // the user's next receipt number, "" for notes and orders
  bool numberEditable = false;
  bool payerEnabled = true;
  QString defaultPayer;      // the taxpayer's name
  QDate documentDate;        // the calculation date
  std::int64_t total = 0;    // "TOTAL:", the sum of every ACHITAT
};

// The number field after choosing `type`: "CHITANTA" shows the proposed number
// again, read only; any other type lets the cashier type one (`typed` kept).
struct NumberField {
  QString text;
  bool editable = false;
};
NumberField numberFieldFor(const OperationHeader& header, const QString& type, const QString& typed);

struct PreparedOperation {
  DocumentKind kind = DocumentKind::Receipt;
  TaxpayerHeader taxpayer;
  QDate calcDate;
  bool noPenalties = false;
  Balance balance;  // as computed: the commit checks the stored rows still hold these values
  Settlement settlement;
  QList<DocumentLine> lines;  // in the window's order
  OperationHeader header;

  bool naturalPerson() const { return taxpayer.naturalPerson(); }
  // No line to store: "Nu ati facut nici o operatiune!" (the operation ends).
  bool hasNoLines() const { return lines.isEmpty() || lines.first().GRUPA.trimmed().isEmpty(); }
};
// The message of hasNoLines().
Problem noLinesProblem();

// The window's state when "&OPEREAZA" is pressed. `noPenalties`: the taxpayer's
// "Fara majorari" mark applies (penaltiesWaived).
struct OperationInput {
  const Balance& balance;
  const TaxpayerHeader& taxpayer;
  QDate calcDate;
  bool noPenalties = false;
};

// The refusal of the classification (message "Operare"), or the operation to confirm.
std::variant<Problem, PreparedOperation> prepareOperation(PaymentContext& context, const OperationInput& input);

// What the cashier confirms in the Operare window.
struct OperationChoice {
  QString type;        // one of header.types
  QString number;      // the number field's text
  QDate documentDate;  // "din data"
  QString payer;       // "Cine plateste"
};

// The checks of Operare's "&OPEREAZA" in order: closed year, number, payer,
// accounts, and for "CHITANTA" a document already stored with the series and
// the number the commit will take. Nothing when the window may close
// confirmed. The commit checks the duplicate again under the data directory's
// lock. `progress` shows "Verific dubluri la chitanta..." meanwhile.
std::optional<Problem> checkOperation(PaymentContext& context, const PreparedOperation& operation,
                                      const OperationChoice& choice, Interaction* progress = nullptr);

// The closed-year refusal for a document dated `documentDate` ("VARIABILE" "ANINCHIS").
std::optional<Problem> closedYearProblem(const PaymentContext& context, const QDate& documentDate);
// "Verificare de dubluri" when Chitante already holds a document with this series and number.
std::optional<Problem> duplicateReceiptProblem(PaymentContext& context, const QString& series, std::int64_t number);

// The number field as digits: leading zeros, blanks and other characters dropped; 0 when none.
std::int64_t documentNumber(const QString& text);

}  // namespace dajdor::collect
