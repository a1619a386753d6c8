// The yearly tax on buildings: the line "Cladiri" from the buildings page and
// the line "Cladiri-Anexe" from the annex page, both of the group
// "Impozit pe cladiri". Natural persons are taxed on a value per square metre
// by material, zone and rank; legal persons on each building's inventory value.
#pragma once

#include "register/debt_line.h"

namespace dajdor::reg {

// Page 2 -> the line "Cladiri".
DebtLine AssessBuildings(const PageValues& page, const TaxContext& context);
// Page 3 -> the line "Cladiri-Anexe".
DebtLine AssessAnnexes(const PageValues& page, const TaxContext& context);

// The taxed amount of one natural person's annex, before rounding: area x rate of
// its material, zone and rank x CotaMajA %, less the age reduction.
Currency AnnexValue(const TaxContext& context, Currency area, std::int64_t year, int material, const QString& zone,
                    int rank);
// Position of a rank text in the list 0, I ... V; -1 when it is none of them.
int rankPosition(const QString& rank);

}  // namespace dajdor::reg
