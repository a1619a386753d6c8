// What the grids of the Operare, history and cancelled-documents windows show
// for a line: its name and its amounts, in their column order.
#pragma once

#include "collect/receipt_record.h"

#include <QVariantList>

namespace dajdor::collect {

// The group, and the supporting document after it when the line has one, so two
// debits of one group are told apart (as on the printed receipt).
QString lineName(const QString& GRUPA, const QString& DENUM);

// Name, RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE, TOTAL.
QVariantList receiptLineCells(const ReceiptRecord& line);

}  // namespace dajdor::collect
