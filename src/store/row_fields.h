// A field of a query's row read by name: text without the blank padding of its
// fixed-width field, whole numbers, dates. A field the query does not have
// reads as "", 0 or an invalid date.
#pragma once

#include "store/engine/database.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <string_view>

namespace dajdor {

QString rowText(const engine::RowSource& rows, std::size_t row, std::string_view field);
std::int64_t rowWhole(const engine::RowSource& rows, std::size_t row, std::string_view field);
QDate rowDate(const engine::RowSource& rows, std::size_t row, std::string_view field);

}  // namespace dajdor
