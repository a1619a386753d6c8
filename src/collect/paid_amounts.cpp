#include "collect/paid_amounts.h"

#include <cstdlib>

namespace dajdor::collect {

std::int64_t paidOnBalanceLine(std::int64_t typed, std::int64_t due) {
  return typed < 0 && typed < due ? due : typed;
}

std::int64_t paidOnOtherTax(std::int64_t typed, std::int64_t due) {
  return typed != 0 && std::llabs(due) < std::llabs(typed) ? due : typed;
}

std::int64_t toggledPaid(std::int64_t paid, std::int64_t due) { return paid != due ? due : 0; }

}  // namespace dajdor::collect
