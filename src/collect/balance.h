// What one taxpayer owes at a calculation date, line by line: the rows of the
// three work tables "Impozite" (balances of SoldCalc), "Taxe" (other taxes and
// fines of Datorii) and "Debite" (debits of the year), each with the amount the
// cashier enters (ACHITAT).
//
// Always computed from the stored tables: two cashiers on one shared directory
// each see what is stored when they build or rebuild.
#pragma once

#include "admin/rates.h"
#include "store/engine/database.h"
#include "store/version.h"

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>

namespace dajdor::collect {

// A row of "Impozite".
struct TaxLine {
  std::int64_t IDRES = 0;
  QString GRUPA;
  std::int64_t SUMA = 0, REST = 0, REDUC = 0, SCUTIRE = 0, DATOR = 0, DEPOZ = 0, MAJOR = 0;
  QString TIP;
  // Computed.
  std::int64_t CUR1 = 0, RAM1 = 0, MAJOR1 = 0, RED1 = 0, SCUT1 = 0, DEPLATA = 0;
  std::int64_t ACHITAT = 0;
};

// A row of "Taxe".
struct OtherTaxLine {
  std::int64_t IDDAT = 0;
  QString GRUPA, DENUM, DOCJUS;
  std::int64_t NR = 0;
  QString TIP;
  std::int64_t SUMA = 0;
  QDate DINDATA;
  std::int64_t SUMA2 = 0, RESTINI = 0, REST = 0, REDUC = 0;
  // Computed.
  std::int64_t CUR1 = 0, REST1 = 0, DEPLATA = 0;
  std::int64_t ACHITAT = 0;
};

// A row of "Debite".
struct DebitLine {
  std::int64_t IDDEB = 0;
  QString GRUPA, DOCJUS;
  std::int64_t NR = 0;
  QString CATEG, DENUM;
  QDate DINDATA, PENDATA;
  std::int64_t SUMAINI = 0, SUMAC = 0;
  // Computed.
  std::int64_t MAJOR = 0, DEPLATA = 0;
  std::int64_t ACHITAT = 0;
};

struct Balance {
  QList<TaxLine> taxes;         // "Impozite"
  QList<OtherTaxLine> others;   // "Taxe"
  QList<DebitLine> debits;      // "Debite"
  std::int64_t total = 0;       // "Total datorie"
};

// Where a balance is read from and the settings that shape it.
struct BalanceSource {
  engine::Database& data;  // on the data directory
  QString dataDir;
  const admin::Rates& rates;
  int workYear = kWorkYear;
};

// The debit categories on which penalties run.
bool categoryCarriesPenalties(const QString& category);

// The four main tax groups, kept in SoldCalc rather than as other taxes.
const QStringList& mainTaxGroups();

// Penalties are waived for a taxpayer marked NOTAX "DA" only while the town hall
// works in the mode without penalties; the payment applies the same rule.
bool penaltiesWaived(const admin::Rates& rates, const QString& notax);

// The balance of taxpayer IDGOS at `calcDate`, every ACHITAT at 0. Throws
// engine::Error when a table cannot be read.
Balance computeBalance(const BalanceSource& source, bool noPenalties, const QDate& calcDate, bool naturalPerson,
                       std::int64_t IDGOS);

// The computation of one row of each table, on rows as read. `reductionGiven`:
// a receipt of this year already granted the reduction of that group.
void computeTaxLine(TaxLine& line, const admin::Rates& rates, int workYear, bool noPenalties, const QDate& calcDate,
                    bool naturalPerson, bool reductionGiven);
void computeOtherTaxLine(OtherTaxLine& line);
void computeDebitLine(DebitLine& line, const QDate& calcDate);

}  // namespace dajdor::collect
