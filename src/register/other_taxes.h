// The other local taxes of page 7 (each its own group), and what the arrears
// page (page 11) brings from the records kept before the program.
#pragma once

#include "register/debt_line.h"

namespace dajdor::reg {

// Page 7 -> six lines, group and name the tax's ("Iluminat"): rate x quantity,
// without bonus or exemption.
DebtLines AssessOtherTaxes(const PageValues& page, const TaxContext& context);

// Arrears of another tax, carried onto the line (label, label).
struct OtherArrears {
  QString label;
  std::int64_t amount = 0;
};
QList<OtherArrears> otherTaxArrears(const PageValues& page);

// Arrears, penalties and plus of one of the four main taxes.
struct TaxArrears {
  QString group;
  std::int64_t arrears = 0;    // "Restanta"
  std::int64_t plus = 0;       // "Plus": paid in advance
  std::int64_t penalties = 0;  // "Majorari"
};
// In the order extravilan, buildings, intravilan, vehicles. Penalties are 0 for
// a taxpayer with NOTAX "DA" while the administration waives penalties.
QList<TaxArrears> mainTaxArrears(const PageValues& page, const TaxContext& context);

}  // namespace dajdor::reg
