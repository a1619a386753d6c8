// The list of tax groups and their budget accounts, with add, modify, delete
// and sorting by a column.
#pragma once

#include "admin/budget_codes.h"

#include <QDialog>

#include <optional>

class QTableWidget;

namespace engine {
class Database;
}

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::admin {

class BudgetCodeEditorDialog;

class BudgetCodesWindow : public QDialog {
  Q_OBJECT
 public:
  BudgetCodesWindow(engine::Database& database, SettingsFile& settings, Interaction& interaction,
                    QWidget* parent = nullptr);

  // Reads the list in its first order and shows the window modally.
  int showList();
  // Re-reads the list in the current order and selects the group `id` (or keeps
  // the row that was selected).
  void reload(std::optional<std::int64_t> id = std::nullopt);
  // Sorts by the column's field, keeping the selected group selected.
  void sortByColumn(int column);

  void add();
  void modify();
  void remove();

  QTableWidget* grid() const { return grid_; }
  BudgetCodeEditorDialog* editor() const { return editor_; }
  const QList<BudgetCode>& codes() const { return codes_; }
  std::optional<BudgetCode> selected() const;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  engine::Database& database_;
  SettingsFile& settings_;
  Interaction& interaction_;
  QTableWidget* grid_;
  BudgetCodeEditorDialog* editor_;
  QList<BudgetCode> codes_;
  QString order_ = kDefaultBudgetOrder;
};

}  // namespace dajdor::admin
