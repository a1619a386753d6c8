// Layouts of the tables the generator fills, field for field as the program
// creates them. The remaining tables of a data directory (work, snapshot,
// settings and log tables) are created by the program at its first start.
#pragma once

#include "store/engine/database.h"

#include <string>
#include <vector>

namespace gencommune {

struct TableLayout {
  std::string file;  // "Gospodar.dbf"
  std::vector<engine::FieldDesc> fields;
};

// In creation order.
const std::vector<TableLayout>& communeTables();
const TableLayout& communeTable(const std::string& file);
// CREATE TABLE "<file>" (...) for a table of the directory.
std::string createStatement(const TableLayout& layout);

}  // namespace gencommune
