// The assessment file of a taxpayer: one row per taxpayer in each page table.
#pragma once

#include "admin/rates.h"
#include "store/engine/database.h"

#include <QString>

namespace dajdor::reg {

// CreateEmptyPages: the rows of a new taxpayer's file with their defaults, in
// every page table, inside the caller's transaction.
void CreateEmptyPages(engine::Database& db, const QString& dataDir, qint64 idgos, const admin::Rates& rates);

}  // namespace dajdor::reg
