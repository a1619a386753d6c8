// Writes a synthetic data directory: a commune of N taxpayers with their
// pages, debts, balances and a year of payments, created through the engine.
// The same options always give the same files.
#pragma once

#include "store/engine/database.h"

#include <cstdint>
#include <map>
#include <string>

namespace gencommune {

struct GeneratorOptions {
  std::size_t taxpayers = 0;
  std::uint64_t seed = 20140101;
  int year = 2014;
};

// Rows written per table file.
using RowCounts = std::map<std::string, std::size_t>;

// The directory must exist and hold none of the commune's tables.
RowCounts generateCommune(engine::Database& db, const GeneratorOptions& options);

}  // namespace gencommune
