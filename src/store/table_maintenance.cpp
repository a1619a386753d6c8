#include "store/table_maintenance.h"

namespace dajdor {

void PackTable(engine::Database& db, const QString& tablePath) {
  const std::string path = tablePath.toStdString();
  // Reading the layout first refuses a file that is no table at all, which
  // must not have its header byte touched.
  db.fields(path);
  engine::Database::dropProductionIndex(db.resolvePath(path));
  db.pack(path);
}

void AddTableIndex(engine::Database& db, const QString& field, const QString& tablePath) {
  db.addIndex(tablePath.toStdString(), field.toStdString());
}

}  // namespace dajdor
