// The yearly land tax: one line per land category, "Impozit pe teren
// extravilan" from the unbuilt-land page, "Impozit pe teren intravilan" (the
// yards first) from the built-up land page. Each zone has its own rate.
#pragma once

#include "register/debt_line.h"

namespace dajdor::reg {

// Page 1 -> eleven lines, one per category. The taxpayer's SCTE lei of exemption
// are used up in category order.
DebtLines AssessExtravilan(const PageValues& page, const TaxContext& context);
// Page 4 -> "Curti-constructii" and the eight other categories.
DebtLines AssessIntravilan(const PageValues& page, const TaxContext& context);

}  // namespace dajdor::reg
