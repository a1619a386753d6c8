// Packing and indexing of a table file, both with the table opened exclusively.
#pragma once

#include "store/engine/database.h"

#include <QString>

namespace dajdor {

// Removes the rows marked deleted. The production-index flag and its .mdx file
// go first, so a stale index of another dBase tool cannot block the pack.
// Throws the engine's error when the table is in use or damaged.
void PackTable(engine::Database& db, const QString& tablePath);

// Adds the index named `field` on `field`. Throws the engine's error.
void AddTableIndex(engine::Database& db, const QString& field, const QString& tablePath);

}  // namespace dajdor
