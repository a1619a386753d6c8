// One line of a taxpayer's yearly debts as a tax calculator hands it to the
// debt generation: what Datorii keeps of it, before rounding to whole lei.
#pragma once

#include "register/assessment_pages.h"
#include "register/taxpayer.h"
#include "store/currency.h"

#include <QHash>
#include <QList>
#include <QString>

#include <unordered_map>

namespace dajdor::reg {

struct DebtLine {
  QString group;  // GRUPA
  QString name;   // DENUM
  QString unit;   // UM
  Currency quantity;          // CANT
  Currency reductionPercent;  // REDUCP
  Currency reduction;         // REDUC: bonus for full early payment
  Currency exemption;         // SCUTIT
  Currency tax;               // the line's assessed amount (SUMA2)

  friend bool operator==(const DebtLine&, const DebtLine&) = default;
};

using DebtLines = QList<DebtLine>;

// A cheap hash of the short names the calculators look up hundreds of times per
// taxpayer (FNV-1a over the UTF-16 text).
struct NameHash {
  std::size_t operator()(const QString& name) const noexcept {
    std::uint64_t h = 1469598103934665603ull;
    for (const QChar ch : name) h = (h ^ ch.unicode()) * 1099511628211ull;
    return static_cast<std::size_t>(h);
  }
};

// The rates as numbers, read once per name: a batch reads the same few hundred
// rates for every taxpayer.
class RateCache {
 public:
  explicit RateCache(const admin::Rates& rates) : rates_(rates) {}
  Currency rate(const QString& name) const;

 private:
  const admin::Rates& rates_;
  mutable std::unordered_map<QString, Currency, NameHash> values_;
};

// What every calculator reads besides its page.
struct TaxContext {
  const Taxpayer& taxpayer;
  const admin::Rates& rates;
  int workYear = kWorkYear;
  const RateCache* cache = nullptr;  // optional

  bool legalPerson() const { return taxpayer.type.trimmed() == kLegalPerson; }
  // The bonus for full early payment is granted: natural persons always, legal
  // persons when the administration grants it to them.
  bool bonusGranted() const { return !legalPerson() || rates.bonusLegalPersons(); }
  // A rate of the administration, to four decimals.
  Currency rate(const QString& name) const {
    return cache ? cache->rate(name) : Currency::fromDouble(rates.value(name));
  }
};

// Reading a page's texts (assessment_pages.h) as the calculators need them.
Currency pageQuantity(const PageValues& page, const QString& name);
// The whole part of a quantity.
std::int64_t pageWhole(const PageValues& page, const QString& name);
// Units of 200 cm3 or part of one: 0 for a capacity of 0 or less.
std::int64_t capacityUnits(std::int64_t capacity, std::int64_t unit = 200);

}  // namespace dajdor::reg
