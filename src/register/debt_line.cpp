#include "register/debt_line.h"

#include "register/page_value_rules.h"

namespace dajdor::reg {

Currency RateCache::rate(const QString& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) it = values_.emplace(name, Currency::fromDouble(rates_.value(name))).first;
  return it->second;
}

Currency pageQuantity(const PageValues& page, const QString& name) {
  const auto it = page.constFind(name);
  if (it == page.constEnd()) return {};
  Currency value;
  if (Currency::parsePlain(*it, value)) return value;
  return Currency::fromText(normalisedNumber(*it));
}

std::int64_t pageWhole(const PageValues& page, const QString& name) { return pageQuantity(page, name).truncated(); }

std::int64_t capacityUnits(std::int64_t capacity, std::int64_t unit) {
  return capacity > 0 ? (capacity + unit - 1) / unit : 0;
}

}  // namespace dajdor::reg
