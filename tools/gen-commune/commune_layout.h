// The tables the generator fills, with their fields as the program's schema
// defines them. The remaining tables of a data directory (work, snapshot,
// settings and log tables) are created by the program at its first start.
#pragma once

#include "store/engine/database.h"

#include <string>
#include <vector>

namespace gencommune {

struct TableLayout {
  std::string file;  // "Gospodar.dbf"
  std::vector<engine::FieldDesc> fields;
  std::string createStatement;  // CREATE TABLE "<file>" (...)
};

// In the program's creation order.
const std::vector<TableLayout>& communeTables();
const TableLayout& communeTable(const std::string& file);

}  // namespace gencommune
