// The three work tables of one collections window: scratch files in the
// program's folder under free numbered names ("Impozite<n>.dbf", "Taxe<n>.dbf",
// "Debite<n>.dbf"), which the notices and the fiscal certificate read as the
// window computed them. They are written without journal, disk sync or the data
// directory's lock, deleted before each rebuild and when the window closes; a
// crash leaves files the next start removes.
#pragma once

#include "collect/balance.h"
#include "store/engine/database.h"
#include "store/schema.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace dajdor::collect {

enum class WorkTable { Taxes, OtherTaxes, Debits };

// "Impozite", "Taxe", "Debite".
QString workTableName(WorkTable table);
// The fields in layout order.
const schema::Table& workTableLayout(WorkTable table);

class WorkTables {
 public:
  // Free names in `folder`; throws StoreError when none is left.
  explicit WorkTables(const QString& folder);
  ~WorkTables();
  WorkTables(const WorkTables&) = delete;
  WorkTables& operator=(const WorkTables&) = delete;

  QString path(WorkTable table) const;
  engine::Database& database() { return *scratch_; }

  // The three tables anew, holding the balance's rows in order.
  void write(const Balance& balance);
  // One field of row `row` (build order) of a table.
  void writeField(WorkTable table, int row, const QString& field, const engine::Value& value);
  // Deletes the three files.
  void remove();

 private:
  QString folder_;
  QStringList paths_;
  std::unique_ptr<engine::Database> scratch_;
};

}  // namespace dajdor::collect
