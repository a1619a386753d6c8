#include "sql_fixture.h"

#include <atomic>
#include <random>

namespace sqltest {

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("dajdor-sql-" + std::to_string(rd()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string table(const engine::ResultSet& rows) {
  std::string out;
  for (std::size_t c = 0; c < rows.columnCount(); ++c) out += (c ? "\t" : "") + rows.columnName(c);
  out += '\n';
  for (std::size_t r = 0; r < rows.rowCount(); ++r) {
    for (std::size_t c = 0; c < rows.columnCount(); ++c) out += (c ? "\t" : "") + rows.value(r, c).toString();
    out += '\n';
  }
  return out;
}

std::string run(engine::Database& db, const std::string& select) { return table(*db.query(select)); }

void createSampleTables(engine::Database& db) {
  db.execute(R"(CREATE TABLE "Gospodar.dbf" (IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), TIP CHAR(8)))");
  db.execute(R"(INSERT INTO "Gospodar.dbf" VALUES (1, "Deal", "10", "Pop Ion", "FIZICA"))");
  db.execute(R"(INSERT INTO "Gospodar.dbf" VALUES (2, "Deal", "9", "Ana Maria", "FIZICA"))");
  db.execute(R"(INSERT INTO "Gospodar.dbf" VALUES (3, "Vale", "2A", "SC Vale SRL", "JURIDICA"))");
  db.execute(R"(INSERT INTO "Gospodar.dbf" VALUES (4, "Vale", "1", "Ursu Dan", "FIZICA"))");
  db.execute(R"(CREATE TABLE "Datorii.dbf" (IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), DINDATA DATE, GRUPA CHAR(60), SUMA DECIMAL(6,0), REST DECIMAL(6,0), DOCJUS CHAR(20)))");
  db.execute(R"(INSERT INTO "Datorii.dbf" VALUES (10, 1, "01.01.2014", "Impozit pe cladiri", 100, 20, ""))");
  db.execute(R"(INSERT INTO "Datorii.dbf" VALUES (11, 1, "15.03.2014", "Impozit pe teren intravilan", 50, NULL, "PV 1"))");
  db.execute(R"(INSERT INTO "Datorii.dbf" VALUES (12, 2, "01.01.2014", "Impozit pe cladiri", 70, 0, ""))");
  db.execute(R"(INSERT INTO "Datorii.dbf" VALUES (13, 3, NULL, "Salubritate", 30, 5, ""))");
  db.execute(R"(INSERT INTO "Datorii.dbf" VALUES (14, 9, "02.02.2014", "Amenda", 200, 0, "PV 9"))");
}

}  // namespace sqltest
