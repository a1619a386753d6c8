// The cash register's work rows: one summary row per day and cashier of the
// stored documents (receipts "C" and payment orders "O"; accounting notes and
// transfers never enter the register) and a copy of every hand-entered movement
// of RegCasa, ordered by day and cashier. Built when the register opens; the
// documents issued later reach it when it is opened again.
//
// Filtru gives one day's view, for every cashier or for one: the balance
// carried from all earlier days, the day's rows and their totals.
#pragma once

#include "store/engine/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace dajdor::cash {

inline const QString kSummaryText = QStringLiteral("Centralizator zilnic");
// The cashier list's first entry: no restriction.
inline const QString kAnyCashier = QStringLiteral(" * indiferent *");

struct CashRow {
  std::int64_t IDRC = -1;  // < 0: a summary row of the documents
  QDate DATAI;
  QString DOCJUS;
  std::int64_t PLATIT = 0;
  std::int64_t INCASAT = 0;
  QString INCANUME;

  bool isSummary() const { return IDRC < 0; }
  friend bool operator==(const CashRow&, const CashRow&) = default;
};

struct CashDay {
  std::int64_t previousBalance = 0;
  QList<CashRow> rows;
  std::int64_t totalReceived = 0;
  std::int64_t totalPaid = 0;

  std::int64_t carriedForward() const { return totalReceived + previousBalance - totalPaid; }
};

class CashRegister {
 public:
  CashRegister(engine::Database& db, QString dataDir) : db_(db), dataDir_(std::move(dataDir)) {}

  // Reads the documents and the hand-entered movements anew (a table that was
  // never created holds none). Throws the engine's errors (a damaged table).
  void load();

  const QList<CashRow>& rows() const { return rows_; }
  // The cashiers who issued documents, in name order.
  const QStringList& cashiers() const { return cashiers_; }

  // The supporting documents already entered by hand, for the dialog's list.
  QStringList documentTexts() const;

  // The view of `day`; `cashier` empty (or kAnyCashier) for every cashier.
  CashDay Filtru(const QDate& day, const QString& cashier) const;

  // The work rows follow an edit already stored in RegCasa.
  void insertRow(const CashRow& row);
  void replaceRow(const CashRow& row);
  void removeRow(std::int64_t idrc);
  const CashRow* findRow(std::int64_t idrc) const;

  engine::Database& database() { return db_; }
  const QString& dataDir() const { return dataDir_; }

 private:
  void readDocuments(QList<CashRow>& rows, QStringList& cashiers);
  void readMovements(QList<CashRow>& rows);

  engine::Database& db_;
  QString dataDir_;
  QList<CashRow> rows_;
  QStringList cashiers_;
};

// "" for kAnyCashier, else the name trimmed.
QString chosenCashier(const QString& listEntry);

}  // namespace dajdor::cash
