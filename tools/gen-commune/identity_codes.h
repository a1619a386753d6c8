// Romanian personal numeric codes (CNP) and fiscal codes (CUI) with correct
// control digits, so synthetic taxpayers pass the register's validation.
#pragma once

#include <cstdint>
#include <string>

namespace gencommune {

// sexDigit 1/2 (born 1900-1999) or 5/6 (born 2000-2099); county 1..52; serial 1..999.
std::string makeCnp(int sexDigit, int year, int month, int day, int county, int serial);
// body: the code without its control digit (2 to 9 digits).
std::string makeCui(std::uint32_t body);

}  // namespace gencommune
