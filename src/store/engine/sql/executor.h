// Runs one statement of the dialect on the tables of a Catalog. The caller
// (Database) brackets it as one unit of work; a statement that throws leaves
// its partial writes to be undone there.
#pragma once

#include "store/engine/database.h"
#include "store/engine/storage/table.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace engine {

// Any statement; returns the rows inserted, updated or deleted (a SELECT
// returns its row count, CREATE/ALTER/DROP 0).
std::int64_t executeStatement(Catalog& catalog, std::string_view sql);
// A SELECT; any other statement is refused with SqlError.
std::unique_ptr<ResultSet> executeQuery(Catalog& catalog, std::string_view sql);
// True when the statement text starts with SELECT (after blanks and parentheses).
bool isQueryText(std::string_view sql);

}  // namespace engine
