// The editor of one tax group: its name (only when added) and its two accounts.
#pragma once

#include "admin/budget_codes.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace dajdor::admin {

class BudgetCodeEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // Decides whether "&Memoreaza" may close the editor (and reports why not).
  using Check = std::function<bool(BudgetCode&)>;
  explicit BudgetCodeEditorDialog(QWidget* parent = nullptr);

  // A new group: empty inputs, the name editable.
  void prepareAdd(Check check);
  // An existing group: its accounts editable, its name read-only.
  void prepareModify(const BudgetCode& code, Check check);
  // The group as typed (and cleaned by the check), after a confirmed close.
  const BudgetCode& code() const { return code_; }
  // "&Memoreaza".
  void store();

 private:
  void prepare(const QString& title, const BudgetCode& code, bool nameEditable, Check check);

  QLabel* title_;
  QLineEdit* name_;
  QLineEdit* natural_;
  QLineEdit* legal_;
  BudgetCode code_;
  Check check_;
};

}  // namespace dajdor::admin
