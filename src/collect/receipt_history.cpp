#include "collect/receipt_history.h"

#include "collect/payment_operation.h"
#include "store/sql_helpers.h"

#include <QMap>

#include <algorithm>

namespace dajdor::collect {
namespace {

QStringList withAny(QStringList values) {
  values.removeDuplicates();
  values.sort();
  values.prepend(kAnyFilter);
  return values;
}

bool matches(const QString& filter, const QString& value) {
  return filter.isEmpty() || filter == kAnyFilter || filter == value;
}

}  // namespace

ReceiptHistory::ReceiptHistory(engine::Database& data, QString dataDir, HistoryScope scope)
    : data_(data), dataDir_(std::move(dataDir)), scope_(scope) {
  reload();
}

void ReceiptHistory::reload() {
  const QString owner = scope_.IDGOS ? "IDGOS=" + sql::number(*scope_.IDGOS) : "(IDGOS IS NULL OR IDGOS=-1)";
  const auto rows = sql::query(data_, "SELECT * FROM " + sql::table(dataDir_, kReceiptsTable) + "\nWHERE " + owner);
  copy_.clear();
  for (std::size_t r = 0; r < rows->rowCount(); ++r) copy_.append(receiptRecordAt(*rows, r));

  // One entry per document: IDCHIT with the fields its lines share.
  QMap<std::int64_t, HistoryDocument> byId;
  for (const ReceiptRecord& l : copy_) {
    auto it = byId.find(l.IDCHIT);
    if (it == byId.end())
      it = byId.insert(l.IDCHIT, {l.IDCHIT, l.IDANUL, l.SERIA, l.NR, l.DATAI, l.TIP, l.PLATNUME, l.INCANUME, 0});
    if (l.DATAI.isValid() && (!it->DATAI.isValid() || l.DATAI > it->DATAI)) it->DATAI = l.DATAI;
    it->SUMA += l.TOTAL;
  }
  documents_.clear();
  for (const HistoryDocument& d : byId)
    if (d.DATAI.isValid()) documents_.append(d);
  std::stable_sort(documents_.begin(), documents_.end(), [](const HistoryDocument& a, const HistoryDocument& b) {
    return a.DATAI != b.DATAI ? a.DATAI < b.DATAI : a.IDCHIT < b.IDCHIT;
  });
}

QList<HistoryDocument> ReceiptHistory::filtered(const QString& payer, const QString& cashier) const {
  QList<HistoryDocument> shown;
  for (const HistoryDocument& d : documents_)
    if (matches(payer, d.PLATNUME) && matches(cashier, d.INCANUME)) shown.append(d);
  return shown;
}

QStringList ReceiptHistory::payers() const {
  QStringList names;
  for (const ReceiptRecord& l : copy_) names.append(l.PLATNUME);
  return withAny(names);
}

QStringList ReceiptHistory::cashiers() const {
  QStringList names;
  for (const ReceiptRecord& l : copy_) names.append(l.INCANUME);
  return withAny(names);
}

QList<ReceiptRecord> ReceiptHistory::lines(std::int64_t IDCHIT) const {
  QList<ReceiptRecord> lines;
  for (const ReceiptRecord& l : copy_)
    if (l.IDCHIT == IDCHIT) lines.append(l);
  return lines;
}

HistoryButtons historyButtons(const HistoryDocument* selected, bool modificationAllowed, const CurrentUser& user) {
  HistoryButtons b;
  if (!selected) return b;
  b.print = true;
  b.modify = modificationAllowed && !selected->cancelled();
  b.cancel = !selected->cancelled();
  b.deleteVisible = user.isAdministrator() && selected->cancelled();
  return b;
}

std::optional<Problem> modifyDocument(PaymentContext& context, std::int64_t IDCHIT, const QDate& date,
                                      const QString& series, const QString& number) {
  const QString title = QStringLiteral("Modificare");
  if (context.user.isRestrictedUser())
    return Problem{title, QStringLiteral("Nu aveti dreptul sa modificati chitantele!"), {}};
  const std::int64_t nr = documentNumber(number);
  if (nr <= 0) return Problem{{}, QStringLiteral("Numar incorect!"), kModifyNumberField};
  if (!date.isValid()) return Problem{{}, QStringLiteral("Data incorecta!"), kModifyDateField};
  const QString seria = series.trimmed().toUpper().left(10);
  // Under the data directory's lock, so no other workstation takes the number in between.
  engine::Transaction transaction(context.data);
  if (const auto other = documentWithNumber(context.data, context.dataDir, seria, nr, IDCHIT))
    return Problem{title,
                   QStringLiteral("Seria %1 nr.%2 este deja folosita de alta chitanta (ROL %3 din %4)!\r"
                                  "Alegeti alt numar.")
                       .arg(seria, QString::number(nr), other->ROL, other->DATAI.toString("dd.MM.yyyy")),
                   kModifyNumberField};
  sql::execute(context.data, "UPDATE " + sql::table(context.dataDir, kReceiptsTable) + "\nSET DATAI=" +
                                 sql::date(date) + ", SERIA=" + sql::quote(seria) + ", NR=" + sql::number(nr) +
                                 "\nWHERE IDCHIT=" + sql::number(IDCHIT));
  transaction.commit();
  return std::nullopt;
}

}  // namespace dajdor::collect
