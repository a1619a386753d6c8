// Counters a stored document consumes: IDCHIT and IDANUL of section "SERVER",
// the user's receipt number "CHIT" and the payment-order number "OP".
//
// Dajdor.set is outside the engine's journal, so a counter cannot be written
// in the same unit as the rows. The numbers are therefore taken and written
// like this, always inside the data directory's write transaction (its lock
// serialises every workstation):
//   1. read the counters; when Chitante already holds a document with the
//      IDCHIT the counter hands out next, an earlier commit reached the disk but
//      not its counters (a crash in between): its numbers are passed over;
//   2. the rows are written with those numbers and the transaction committed;
//   3. the counters are raised past the numbers used, in one rewrite of the
//      settings file that only ever raises them.
// A crash before the engine's commit leaves both tables and counters as they
// were (the next document gets the same numbers); a crash after it leaves the
// counters behind, which step 1 of the next document notices. So no number is
// skipped nor handed out twice, on one workstation or several.
#pragma once

#include "store/engine/database.h"
#include "store/settings_file.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace dajdor::collect {

class DocumentNumbers {
 public:
  // Made inside the transaction that stores the document; outside one only to
  // see which numbers the next document would get.
  DocumentNumbers(engine::Database& data, QString dataDir, SettingsFile& settings);

  // The next receipt number of `user` without taking it (what Operare proposes).
  std::int64_t nextReceiptNumber(const QString& user) { return counter(user, QStringLiteral("CHIT")); }
  std::int64_t nextPaymentOrderNumber() { return counter(QStringLiteral("SERVER"), QStringLiteral("OP")); }

  std::int64_t documentId() const { return IDCHIT_; }
  // IDANUL of an operation of the collections window.
  std::int64_t snapshotId();
  // The next receipt number of `user` ("CHIT", 1 when missing).
  std::int64_t receiptNumber(const QString& user);
  // The next payment-order number of payments without a debt ("SERVER" "OP").
  std::int64_t paymentOrderNumber();

  // After the commit: the counters past every number taken. Never throws: a
  // failure here is caught up by the next document (step 1).
  void publish() noexcept;

 private:
  struct Taken {
    QString section, key;
    std::int64_t next;
  };
  std::int64_t counter(const QString& section, const QString& key);
  void take(const QString& section, const QString& key, std::int64_t value);

  engine::Database& data_;
  QString dataDir_;
  SettingsFile& settings_;
  std::int64_t IDCHIT_ = 0;
  QList<Taken> taken_;
  // What a document that landed without its counters used (step 1).
  QList<Taken> leftover_;
};

}  // namespace dajdor::collect
