// The printed receipt: two identical copies of the form on one A4 portrait page,
// eight line slots, the totals of every line and the total in words.
#pragma once

#include "report/receipt.h"
#include "report/report_data.h"
#include "report/report_definition.h"
#include "report/report_document.h"

namespace dajdor::report {

inline constexpr int kReceiptSlots = 8;

// The form; the two sealing lines only for a locality containing "VARDENI".
ReportDefinition receiptDefinition(const TownHall& townHall);
// One row per copy, with every text of the form as a field.
PlainRows receiptRows(const Receipt& receipt);
ReportDocument layOutReceipt(const Receipt& receipt);

// An amount as receipts and listings print it ("1234.00").
QString amountText(std::int64_t amount);

}  // namespace dajdor::report
