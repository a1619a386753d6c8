// What a receipt prints: the town hall, the document's header and its lines, as
// the payment operation or the history hands them over. Nothing here settles a
// payment; the amounts come as stored.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>

namespace engine {
class ResultSet;
}
namespace dajdor::admin {
class Rates;
}

namespace dajdor::report {

struct TownHall {
  QString county;
  QString name;
  QString fiscalCode;
  QString locality;

  // The general settings "JudetulLab", "PrimariaLab", "CUILab", "LocalitateaLab".
  static TownHall fromRates(const admin::Rates& rates);
};

// One printed line: the sums of the document's rows of one group and
// supporting document.
struct ReceiptLine {
  QString group;               // GRUPA
  QString document;            // DENUM
  QString budgetCode;          // CODCLAS
  std::int64_t arrears = 0;    // RESTANTA
  std::int64_t current = 0;    // CURENT + DEPOZIT
  std::int64_t penalties = 0;  // MAJOREST + MAJOR
  std::int64_t reduction = 0;  // REDUCERE
};

struct Receipt {
  TownHall townHall;
  QString series;      // SERIA
  QString number;      // NR
  QDate date;          // DATAI
  QString rol;         // ROL
  QString taxpayer;    // NUMEP
  QString code;        // CNP
  QString address;     // ADRESA
  QString personKind;  // TIPF: "F" natural, "J" legal person
  QString payer;       // PLATNUME ("ANULAT" once cancelled)
  QString cashier;     // INCANUME
  QString cashierId;   // LEGITIMA
  QList<ReceiptLine> lines;
};

// The receipt of the grouped lines of one document (columns SERIA, NR, DATAI,
// ROL, GRUPA, DENUM, CODCLAS, NUMEP, CNP, ADRESA, TIPF, PLATNUME, INCANUME,
// LEGITIMA, RAM1, CUR1, PEN1, RED1), header fields from the first row.
Receipt receiptFromGroupedLines(const engine::ResultSet& rows, const TownHall& townHall);

struct ReceiptTotals {
  std::int64_t current = 0;
  std::int64_t arrears = 0;
  std::int64_t penalties = 0;
  std::int64_t reduction = 0;
  std::int64_t total = 0;  // current + arrears + penalties - reduction
};

// The printed amounts are the lines' absolute values; every line counts, also
// those beyond the form's slots.
ReceiptTotals lineTotals(const ReceiptLine& line);
ReceiptTotals receiptTotals(const Receipt& receipt);

}  // namespace dajdor::report
