// What kind of document the amounts entered in the collections window make.
#pragma once

#include "collect/balance.h"

#include <QChar>
#include <QString>

#include <optional>

namespace dajdor::collect {

enum class DocumentKind {
  AccountingNote,  // as much taken out of some lines as paid on others: TIP "N"
  PaymentOrder,    // only amounts taken out: TIP "O"
  Receipt,         // only amounts paid: TIP "C"
  Transfer,        // a receipt made as "VIRAMENT": TIP "V"
};

// The letter the document's lines carry.
QChar lineType(DocumentKind kind);

struct Classification {
  std::optional<DocumentKind> kind;
  QString title, problem;  // "Operare" and the refusal when there is no kind
};

// From the positive and negative ACHITAT of every row: nothing entered gives
// "Nu aveti nimic operat!", a note that does not balance "Nota contabila nu se
// inchide cu 0!".
Classification classifyPayment(const Balance& balance);

}  // namespace dajdor::collect
