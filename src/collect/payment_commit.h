// Storing a confirmed operation: the snapshot, the new balances, the document
// lines, the action log row and the counters it consumes, all or nothing.
#pragma once

#include "collect/payment_operation.h"
#include "collect/receipt_record.h"

#include <variant>

namespace dajdor::collect {

struct CommittedDocument {
  std::int64_t IDCHIT = 0;
  std::int64_t IDANUL = -1;
  DocumentKind kind = DocumentKind::Receipt;
  QString number;                // the number the document got
  QList<ReceiptRecord> lines;    // as stored in Chitante
  // A receipt (not a transfer, note or order) is printed after the commit.
  bool printed() const { return kind == DocumentKind::Receipt; }
};

// The operation in one transaction of the data directory. A problem found under
// the lock (the year closed, the receipt number taken by another workstation
// meanwhile) is returned and nothing is stored. Throws engine::Error or
// StoreError when a table or the settings file cannot be written; nothing is
// stored then either. The caller prints (PrintReceipt, when printed()) and
// rebuilds the balance.
std::variant<Problem, CommittedDocument> commitPayment(PaymentContext& context, const PreparedOperation& operation,
                                                       const OperationChoice& choice);

}  // namespace dajdor::collect
