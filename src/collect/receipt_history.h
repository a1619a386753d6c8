// "Istoric chitante": the documents of one taxpayer, or the payments without a
// debt, read from Chitante into memory; their lines, the payer and cashier
// filters, the button states, and changing a document's date, series and number.
#pragma once

#include "collect/payment_context.h"
#include "collect/receipt_record.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace dajdor::collect {

// The first entry of the two filters: no restriction.
inline const QString kAnyFilter = QStringLiteral(" * indiferent *");

// objectNames of the "Modificare" inputs.
inline const QString kModifyDateField = QStringLiteral("DinData");
inline const QString kModifySeriesField = QStringLiteral("Seria");
inline const QString kModifyNumberField = QStringLiteral("Numarul");

// One document of the list.
struct HistoryDocument {
  std::int64_t IDCHIT = 0, IDANUL = -1;
  QString SERIA;
  std::int64_t NR = 0;
  QDate DATAI;  // the latest date of its lines
  QString TIP, PLATNUME, INCANUME;
  std::int64_t SUMA = 0;  // sum of TOTAL

  QString typeName() const { return documentTypeName(TIP); }
  bool cancelled() const { return PLATNUME.trimmed() == kCancelledPayer; }
};

// Whose documents: one taxpayer, or (no IDGOS) those without a debt (IDGOS empty or -1).
struct HistoryScope {
  std::optional<std::int64_t> IDGOS;
};

class ReceiptHistory {
 public:
  ReceiptHistory(engine::Database& data, QString dataDir, HistoryScope scope);

  // Reads the lines anew (after a change, a cancellation, or another workstation's).
  void reload();

  // Every document, ordered by date and id; a document whose lines carry no date is left out.
  const QList<HistoryDocument>& documents() const { return documents_; }
  // Those of the chosen payer and cashier (kAnyFilter or "" for any).
  QList<HistoryDocument> filtered(const QString& payer, const QString& cashier) const;
  // kAnyFilter followed by the distinct payers, respectively cashiers.
  QStringList payers() const;
  QStringList cashiers() const;

  // The lines of a document, in stored order.
  QList<ReceiptRecord> lines(std::int64_t IDCHIT) const;
  const HistoryScope& scope() const { return scope_; }

 private:
  engine::Database& data_;
  QString dataDir_;
  HistoryScope scope_;
  QList<ReceiptRecord> copy_;
  QList<HistoryDocument> documents_;
};

struct HistoryButtons {
  bool print = false;           // "Listeaza chitanta"
  bool modify = false;          // "Modifica chitanta"
  bool cancel = false;          // "Anuleaza chitanta"
  bool deleteVisible = false;   // "Sterge chitanta"
};
// For the selected document (none when the list is empty).
HistoryButtons historyButtons(const HistoryDocument* selected, bool modificationAllowed, const CurrentUser& user);

// "Modifica": every line of the document gets the date, series (upper case, at
// most 10) and number. Refused with "Numar incorect!" for a number of 0, and
// when another document already has that series and number. Nothing when done.
std::optional<Problem> modifyDocument(PaymentContext& context, std::int64_t IDCHIT, const QDate& date,
                                      const QString& series, const QString& number);

}  // namespace dajdor::collect
