// Runs one statement on a data directory and writes what the shell prints.
#pragma once

#include <iosfwd>
#include <string>

namespace dajdor_sql {

// Returns the process exit code: 0 done, 1 the engine refused the statement.
int run(const std::string& directory, const std::string& statement, std::ostream& out, std::ostream& err);
void printHelp(std::ostream& out);

}  // namespace dajdor_sql
