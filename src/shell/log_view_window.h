// "Istoric actiuni": the action log in a read-only grid, newest row selected.
#pragma once

#include <QDialog>

class QTableView;

namespace engine {
class Database;
}

namespace dajdor {

class ResultSetModel;

class LogViewWindow : public QDialog {
  Q_OBJECT
 public:
  explicit LogViewWindow(QWidget* parent = nullptr);

  // Reads Log.dbf of the data directory again; an absent log shows an empty grid.
  // Returns false, with the engine's message in `error`, when it cannot be read.
  bool reload(engine::Database& database, const QString& dataDir, QString& error);

  QTableView* grid() const { return grid_; }

 private:
  QTableView* grid_;
  ResultSetModel* model_;
};

}  // namespace dajdor
