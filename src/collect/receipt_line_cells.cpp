#include "collect/receipt_line_cells.h"

namespace dajdor::collect {

QString lineName(const QString& GRUPA, const QString& DENUM) {
  const QString document = DENUM.trimmed();
  return document.isEmpty() ? GRUPA.trimmed() : GRUPA.trimmed() + " - " + document;
}

QVariantList receiptLineCells(const ReceiptRecord& l) {
  return {lineName(l.GRUPA, l.DENUM), qlonglong(l.RESTANTA), qlonglong(l.MAJOREST), qlonglong(l.DEPOZIT),
          qlonglong(l.CURENT),        qlonglong(l.MAJOR),    qlonglong(l.REDUCERE), qlonglong(l.TOTAL)};
}

}  // namespace dajdor::collect
