#include "collect/receipt_output.h"

#include "report/pdf_export.h"
#include "report/receipt_printing.h"
#include "report/receipt_report.h"

#include <QMap>

#include <tuple>

namespace dajdor::collect {

std::optional<report::Receipt> receiptOf(const QList<ReceiptRecord>& lines, const admin::Rates& rates) {
  // By group, then supporting document and account, as the form lists them.
  QMap<std::tuple<QString, QString, QString>, report::ReceiptLine> grouped;
  const ReceiptRecord* first = nullptr;
  for (const ReceiptRecord& l : lines) {
    if (l.TIP != QLatin1String("C")) continue;
    report::ReceiptLine& g = grouped[{l.GRUPA, l.DENUM, l.CODCLAS}];
    g.group = l.GRUPA;
    g.document = l.DENUM;
    g.budgetCode = l.CODCLAS;
    g.arrears += l.RESTANTA;
    g.current += l.CURENT + l.DEPOZIT;
    g.penalties += l.MAJOREST + l.MAJOR;
    g.reduction += l.REDUCERE;
    if (!first || l.GRUPA < first->GRUPA) first = &l;
  }
  if (!first) return std::nullopt;
  report::Receipt r;
  r.townHall = report::TownHall::fromRates(rates);
  r.series = first->SERIA;
  r.number = QString::number(first->NR);
  r.date = first->DATAI;
  r.rol = first->ROL;
  r.taxpayer = first->NUMEP;
  r.code = first->CNP;
  r.address = first->ADRESA;
  r.personKind = first->TIPF;
  r.payer = first->PLATNUME;
  r.cashier = first->INCANUME;
  r.cashierId = first->LEGITIMA;
  r.lines = grouped.values();
  return r;
}

bool PrintReceipt(PaymentContext& context, std::int64_t IDCHIT, const QString& pdfDir,
                  report::ReportPresenter& presenter, Interaction& interaction) {
  const auto receipt = receiptOf(readDocument(context.data, context.dataDir, IDCHIT), context.rates);
  return report::printReceipt(receipt.value_or(report::Receipt{}), context.rates, pdfDir, presenter, interaction);
}

bool writeReceiptPdf(PaymentContext& context, std::int64_t IDCHIT, const QString& path, Interaction& interaction) {
  const QString title = QStringLiteral("Listare chitanta");
  const auto receipt = receiptOf(readDocument(context.data, context.dataDir, IDCHIT), context.rates);
  if (!receipt) {
    interaction.error(title, QStringLiteral("Chitanta nu contine nimic!"));
    return false;
  }
  if (report::writePdf(report::layOutReceipt(*receipt), path)) return true;
  interaction.error(title, QStringLiteral("Fisierul ") + path + QStringLiteral(" nu poate fi scris!"));
  return false;
}

}  // namespace dajdor::collect
