// The rows a statement returns, for comparing with expected text: the columns of
// a row joined by '|', text without its trailing blanks.
#pragma once

#include "store/engine/database.h"
#include "store/engine/result_set.h"
#include "store/sql_helpers.h"

#include <QStringList>

namespace dajdor::testing {

inline QStringList statementRows(engine::Database& db, const QString& select) {
  const auto rs = sql::query(db, select);
  QStringList out;
  for (std::size_t row = 0; row < rs->rowCount(); ++row) {
    QStringList columns;
    for (std::size_t c = 0; c < rs->columnCount(); ++c) {
      QString text = QString::fromStdString(rs->value(row, c).toString());
      while (text.endsWith(' ')) text.chop(1);
      columns.append(text);
    }
    out.append(columns.join('|'));
  }
  return out;
}

}  // namespace dajdor::testing
