// Amounts and quantities as the tax calculations hold them: fixed point with
// four decimals, so that 1.5 ha x 40 lei + 0.25 ha x 37 lei is exactly 69.25
// and a half leu always rounds the same way. Products and quotients are brought
// back to four decimals half away from zero.
#pragma once

#include "store/engine/value.h"

#include <QString>

#include <compare>
#include <cstdint>

namespace dajdor {

class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency whole(std::int64_t lei) { return Currency(lei * kScale); }
  static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
  // The nearest value with four decimals.
  static Currency fromDouble(double value);
  // A number written with '.' ("12", "-0.0001", "3.14159" -> 3.1416); 0 for a text
  // that is not a number.
  static Currency fromText(const QString& text);
  // A plain decimal as the tables give it ("12", "-0.5", " 3,25 "): sign, digits,
  // '.' or ',' and at most four decimals. False for anything else.
  static bool parsePlain(QStringView text, Currency& out);
  // A number of the engine (exact decimals are taken exactly); NULL reads as 0.
  static Currency fromValue(const engine::Value& value);

  constexpr std::int64_t units() const { return units_; }
  double toDouble() const { return static_cast<double>(units_) / kScale; }
  // Halves away from zero, as RoundToInt.
  std::int64_t rounded() const;
  // The whole part, towards zero.
  constexpr std::int64_t truncated() const { return units_ / kScale; }
  // The smallest whole number not below the value.
  std::int64_t ceiling() const;
  // "12", "-3.5", "0.0001": no trailing zeros.
  QString text() const;

  constexpr Currency operator+(Currency o) const { return Currency(units_ + o.units_); }
  constexpr Currency operator-(Currency o) const { return Currency(units_ - o.units_); }
  constexpr Currency operator-() const { return Currency(-units_); }
  Currency& operator+=(Currency o) {
    units_ += o.units_;
    return *this;
  }
  Currency operator*(Currency o) const;
  Currency operator*(std::int64_t n) const { return Currency(units_ * n); }
  // value x percent / 100, kept to four decimals.
  Currency percent(Currency rate) const;
  constexpr auto operator<=>(const Currency&) const = default;

 private:
  constexpr explicit Currency(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

}  // namespace dajdor
