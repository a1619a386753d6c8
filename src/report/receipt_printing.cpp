#include "report/receipt_printing.h"

#include "report/receipt_report.h"
#include "store/interaction.h"

namespace dajdor::report {

bool printReceipt(const Receipt& receipt, const admin::Rates& rates, const QString& pdfDir,
                  ReportPresenter& presenter, Interaction& interaction) {
  const QString title = QStringLiteral("Listare chitanta");
  if (receipt.lines.isEmpty()) {
    interaction.error(title, QStringLiteral("Chitanta nu contine nimic!"));
    return false;
  }
  if (deliverReport(layOutReceipt(receipt), receiptOutput(rates), pdfDir, QStringLiteral("Chit"),
                    presenter)) {
    return true;
  }
  interaction.error(title, QStringLiteral("Imprimanta nu este pregatita sau nu este instalata!") + "\r" +
                               QStringLiteral("Intrati la istoric chitante si listati din nou!"));
  return false;
}

}  // namespace dajdor::report
