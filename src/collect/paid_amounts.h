// The rules applied to an amount the cashier enters on a line (ACHITAT), given
// what the line shows as due (DEPLATA). A changed amount is shown changed.
#pragma once

#include <cstdint>

namespace dajdor::collect {

// "Impozite" and "Debite": a negative amount takes out at most the credit the line
// shows; a negative amount on a line without that much credit becomes the amount
// due. Positive amounts above the amount due are kept (the excess becomes a
// deposit or a negative remainder when paid).
std::int64_t paidOnBalanceLine(std::int64_t typed, std::int64_t due);

// "Taxe": no more than the amount due in either direction.
std::int64_t paidOnOtherTax(std::int64_t typed, std::int64_t due);

// A double-click: the whole amount due, or nothing when that was already entered.
std::int64_t toggledPaid(std::int64_t paid, std::int64_t due);

}  // namespace dajdor::collect
