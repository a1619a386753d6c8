#include "register/debt_line.h"

#include "register/page_value_rules.h"

namespace dajdor::reg {

Currency pageQuantity(const PageValues& page, const QString& name) {
  return Currency::fromText(normalisedNumber(page.value(name)));
}

std::int64_t pageWhole(const PageValues& page, const QString& name) { return pageQuantity(page, name).truncated(); }

std::int64_t capacityUnits(std::int64_t capacity, std::int64_t unit) {
  return capacity > 0 ? (capacity + unit - 1) / unit : 0;
}

}  // namespace dajdor::reg
