// Building tax of a legal person: a rate of the building's value chosen by how
// many years ago the value was set, or 85 % of the value at the first rate for a
// fully depreciated building.
#pragma once

#include "admin/rates.h"

#include <QDate>

#include <cstdint>

namespace dajdor::admin {

// Uses CotaPJC1 for valuations 0 to 3 years before the work year, CotaPJC2 for
// 4 or 5 years, CotaPJC3 for older ones and for a valuation after the work year.
std::int64_t LegalBuildingTax(const Rates& rates, int workYear, bool amortised,
                              const QDate& valuationDate, double value);
// The same for an annex building, with CotaPJCA1 to CotaPJCA3.
std::int64_t LegalAnnexTax(const Rates& rates, int workYear, bool amortised,
                           const QDate& valuationDate, double value);

}  // namespace dajdor::admin
