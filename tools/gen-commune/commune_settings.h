// What a town hall's data directory holds besides the tables after a year of
// work: Ini.dbf with the default rates, Dajdor.set with the identifier counters
// past every identifier written and each cashier's series and next receipt
// number, and s.mpg with ADMIN (password 482) and the cashiers who signed the
// receipts (each with password 1). Every other table of a data directory is
// created empty.
#pragma once

#include "store/engine/database.h"

#include <string>

namespace gencommune {

// Run after generateCommune on the same directory.
void writeCommuneSettings(engine::Database& db, const std::string& dir);

}  // namespace gencommune
