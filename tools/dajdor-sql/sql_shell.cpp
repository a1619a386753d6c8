#include "sql_shell.h"

#include "store/engine/database.h"

#include <filesystem>
#include <ostream>

namespace dajdor_sql {

namespace {

void printRows(engine::ResultSet& rows, std::ostream& out) {
  for (std::size_t c = 0; c < rows.columnCount(); ++c) out << (c ? "\t" : "") << rows.columnName(c);
  out << '\n';
  for (std::size_t r = 0; r < rows.rowCount(); ++r) {
    for (std::size_t c = 0; c < rows.columnCount(); ++c) out << (c ? "\t" : "") << rows.value(r, c).toString();
    out << '\n';
  }
}

}  // namespace

void printHelp(std::ostream& out) {
  out << "dajdor-sql DIR \"STATEMENT\"\n"
         "  Runs one SQL statement on the dBase tables of the data directory DIR.\n"
         "  A table is named by its path in double quotes; a name without a\n"
         "  directory is found in DIR (\"Gospodar.dbf\").\n"
         "  SELECT prints a header line and one line per row, fields separated by\n"
         "  tabs; any other statement prints the number of rows it changed.\n"
         "Example:\n"
         "  dajdor-sql Data \"SELECT SATUL, Count(*) AS NR FROM \\\"Gospodar.dbf\\\" GROUP BY SATUL\"\n";
}

int run(const std::string& directory, const std::string& statement, std::ostream& out, std::ostream& err) {
  try {
    if (!std::filesystem::is_directory(directory)) {
      err << "Directorul de date nu exista: " << directory << '\n';
      return 1;
    }
    engine::Database db(directory);
    if (engine::Database::isQuery(statement)) {
      const auto rows = db.query(statement);
      printRows(*rows, out);
    } else {
      out << db.execute(statement) << " rows\n";
    }
    return 0;
  } catch (const std::exception& e) {
    err << e.what() << '\n';
    return 1;
  }
}

}  // namespace dajdor_sql
