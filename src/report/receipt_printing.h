// Printing a stored receipt the way the town hall's settings ask for it.
#pragma once

#include "report/receipt.h"
#include "report/report_output.h"

namespace dajdor {
class Interaction;
}

namespace dajdor::report {

// Produces the receipt's output (PDF "Chit<n>.pdf" in `pdfDir`, preview or
// printer by `receiptOutput`). A receipt without lines or an output that fails
// is reported through `interaction`; the stored document is never touched here.
// True when the receipt went out.
bool printReceipt(const Receipt& receipt, const admin::Rates& rates, const QString& pdfDir,
                  ReportPresenter& presenter, Interaction& interaction);

}  // namespace dajdor::report
