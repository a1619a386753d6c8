// Printing a stored receipt through the report engine. A failure is reported
// and never touches the stored document; it can be printed again from the
// history.
#pragma once

#include "collect/payment_context.h"
#include "collect/receipt_record.h"
#include "report/receipt.h"
#include "report/report_output.h"

#include <optional>

namespace dajdor::collect {

// The printed receipt of the lines of TIP "C" of a document, grouped as the form
// shows them; nothing when the document has no such line.
std::optional<report::Receipt> receiptOf(const QList<ReceiptRecord>& lines, const admin::Rates& rates);

// PrintReceipt: the document's receipt lines from Chitante to the output the
// settings ask for (PDF "Chit<n>.pdf" in `pdfDir`, preview or printer). "Chitanta
// nu contine nimic!" when it has none. True when it went out.
bool PrintReceipt(PaymentContext& context, std::int64_t IDCHIT, const QString& pdfDir,
                  report::ReportPresenter& presenter, Interaction& interaction);

// The receipt written to `path` as PDF. False (and a message) when there is
// nothing to print or the file cannot be written.
bool writeReceiptPdf(PaymentContext& context, std::int64_t IDCHIT, const QString& path, Interaction& interaction);

}  // namespace dajdor::collect
