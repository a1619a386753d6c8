#include "admin/legal_building_tax.h"

#include "store/text_rules.h"

#include <cmath>

namespace dajdor::admin {
namespace {

std::int64_t legalTax(const Rates& rates, const QString& ratePrefix, int workYear, bool amortised,
                      const QDate& valuationDate, double value) {
  const int age = workYear - valuationDate.year();
  const char* slot = age >= 0 && age < 4 ? "1" : age >= 4 && age < 6 ? "2" : "3";
  const long double rate = rates.value(ratePrefix + slot);
  const long double tax =
      amortised ? value * 0.85L * static_cast<long double>(rates.value(ratePrefix + "1")) / 100
                : value * rate / 100;
  // Amounts are computed with four decimals before they return to whole lei, so
  // 100000 x 0.85 x 1 % is 850 and not 849.99999...
  const long double fixed = std::round(tax * 10000) / 10000;
  return RoundToInt(static_cast<double>(fixed));
}

}  // namespace

std::int64_t LegalBuildingTax(const Rates& rates, int workYear, bool amortised,
                              const QDate& valuationDate, double value) {
  return legalTax(rates, "CotaPJC", workYear, amortised, valuationDate, value);
}

std::int64_t LegalAnnexTax(const Rates& rates, int workYear, bool amortised,
                           const QDate& valuationDate, double value) {
  return legalTax(rates, "CotaPJCA", workYear, amortised, valuationDate, value);
}

}  // namespace dajdor::admin
