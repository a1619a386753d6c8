// The yearly tax on means of transport, group "Impozit pe mijloace de
// transport": one line per vehicle category of the vehicles page, the trucks and
// road trains over 12 t, the water vehicles, and three lines of unregistered
// vehicles. The tax is a rate times a whole quantity.
#pragma once

#include "register/debt_line.h"

namespace dajdor::reg {

// Pages 5, 8, 9 and 10, which share one table row: cars, other vehicles and
// trailers, tractors, buses, trucks over 12 t, road trains, water vehicles.
DebtLines AssessVehicles(const PageValues& vehicles, const PageValues& trucks, const PageValues& combinations,
                         const PageValues& water, const TaxContext& context);
// Page 6 -> three lines.
DebtLines AssessUnregisteredVehicles(const PageValues& page, const TaxContext& context);

}  // namespace dajdor::reg
