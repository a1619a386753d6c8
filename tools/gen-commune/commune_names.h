// Reference data of the synthetic commune: villages, people's names, streets,
// tax groups with their budget codes, vehicle makes. Texts are UTF-8 and keep
// to letters that exist in Windows-1250 (ş and ţ with cedilla).
#pragma once

#include <span>
#include <string>

namespace gencommune {

struct Village {
  const char* name;
  char zone;         // fiscal zone of the built-up land
  const char* rank;  // locality rank
  int weight;        // share of the commune's taxpayers
};

struct TaxGroup {
  const char* name;
  const char* codePerson;  // budget code, natural persons
  const char* codeCompany; // legal persons
  char kind;               // 'I' tax, 'T' fee
};

std::span<const Village> villages();
std::span<const int> villageWeights();
// The twelve default groups in the program's order.
std::span<const TaxGroup> taxGroups();
const TaxGroup& taxGroup(const std::string& name);

std::span<const char* const> surnames();
std::span<const char* const> maleNames();
std::span<const char* const> femaleNames();
std::span<const char* const> streets();
std::span<const char* const> companyWords();
std::span<const char* const> companyForms();
std::span<const char* const> vehicleMakes();

// The four main groups, in the order the balance rows are kept.
inline constexpr const char* kBuildings = "Impozit pe cladiri";
inline constexpr const char* kBuiltLand = "Impozit pe teren intravilan";
inline constexpr const char* kOpenLand = "Impozit pe teren extravilan";
inline constexpr const char* kVehicles = "Impozit pe mijloace de transport";

}  // namespace gencommune
