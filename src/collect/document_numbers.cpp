#include "collect/document_numbers.h"

#include "collect/receipt_record.h"
#include "store/sql_helpers.h"

namespace dajdor::collect {
namespace {

const QString kServer = QStringLiteral("SERVER");
const QString kDocumentKey = QStringLiteral("IDCHIT");
const QString kSnapshotKey = QStringLiteral("IDANUL");
const QString kReceiptKey = QStringLiteral("CHIT");
const QString kOrderKey = QStringLiteral("OP");

}  // namespace

DocumentNumbers::DocumentNumbers(engine::Database& data, QString dataDir, SettingsFile& settings)
    : data_(data), dataDir_(std::move(dataDir)), settings_(settings) {
  IDCHIT_ = settings_.ReadCounter(kServer, kDocumentKey).toLongLong();
  // A document stored under the id the counter still hands out: its commit
  // reached the disk, its counters did not.
  for (;;) {
    const QList<ReceiptRecord> landed = readDocument(data_, dataDir_, IDCHIT_);
    if (landed.isEmpty()) break;
    const ReceiptRecord& first = landed.first();
    if (first.IDANUL > 0) leftover_.append({kServer, kSnapshotKey, first.IDANUL + 1});
    for (const ReceiptRecord& line : landed) {
      if (line.TIP == QLatin1String("C")) leftover_.append({line.INCANUME, kReceiptKey, line.NR + 1});
      if (line.TIP == QLatin1String("O") && line.IDANUL == -1) leftover_.append({kServer, kOrderKey, line.NR + 1});
    }
    ++IDCHIT_;
  }
  taken_.append({kServer, kDocumentKey, IDCHIT_ + 1});
}

std::int64_t DocumentNumbers::counter(const QString& section, const QString& key) {
  std::int64_t value = settings_.ReadCounter(section, key).toLongLong();
  for (const Taken& t : leftover_)
    if (t.section.compare(section, Qt::CaseInsensitive) == 0 && t.key == key) value = std::max(value, t.next);
  return value;
}

void DocumentNumbers::take(const QString& section, const QString& key, std::int64_t value) {
  taken_.append({section, key, value + 1});
}

std::int64_t DocumentNumbers::snapshotId() {
  const std::int64_t id = counter(kServer, kSnapshotKey);
  take(kServer, kSnapshotKey, id);
  return id;
}

std::int64_t DocumentNumbers::receiptNumber(const QString& user) {
  const std::int64_t number = counter(user, kReceiptKey);
  take(user, kReceiptKey, number);
  return number;
}

std::int64_t DocumentNumbers::paymentOrderNumber() {
  const std::int64_t number = counter(kServer, kOrderKey);
  take(kServer, kOrderKey, number);
  return number;
}

void DocumentNumbers::publish() noexcept {
  QList<SettingsFile::CounterFloor> floors;
  for (const Taken& t : leftover_ + taken_) floors.append({t.section, t.key, t.next});
  try {
    settings_.raiseCounters(floors);
  } catch (...) {
    // The next document finds this one stored and passes its numbers over.
  }
}

}  // namespace dajdor::collect
