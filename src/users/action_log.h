// The action log Log.dbf in the data directory: one row per logged action,
// created on the first entry. Nothing in the program deletes its rows.
#pragma once

#include "store/engine/database.h"
#include "store/engine/result_set.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <memory>

namespace dajdor {

class ActionLog {
 public:
  static constexpr const char* kTableName = "Log.dbf";

  ActionLog(engine::Database& database, QString dataDir)
      : database_(database), dataDir_(std::move(dataDir)) {}

  QString tablePath() const;

  // Every logged action, oldest first; null when nothing was logged yet.
  std::unique_ptr<engine::ResultSet> entries() const;

  // Creates the table when missing. Operations that log inside a transaction
  // call it first: a table cannot be created within one.
  void createTable();

  // LogAction: appends (day and time of `at`, user, role, text). `user` is the
  // text of the login name input. Texts longer than their column are cut rather
  // than losing the entry. Throws engine::Error when the table cannot be written.
  void log(const QDateTime& at, const QString& user, const QString& role, const QString& text);

  // The logged actions.
  static QString loginText();  // "Pornire program."
  // "Operat C nr.123": `lineType` is the letter of the document lines
  // (C receipt, N accounting note, O payment order, V transfer).
  static QString paymentText(QChar lineType, const QString& number);
  // "Anulat Chitanta AB nr.12 / 01.03.2014 - POPESCU ION"
  static QString cancellationText(const QString& series, const QString& number, const QDate& date,
                                  const QString& payer);
  // The role column of a cancelled receipt without a taxpayer.
  static QString noTaxpayerRole() { return QStringLiteral("FARA"); }

 private:
  engine::Database& database_;
  QString dataDir_;
};

}  // namespace dajdor
