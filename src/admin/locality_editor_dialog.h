// The editor of one locality: its name, tax zone and rank.
#pragma once

#include "admin/localities.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace dajdor::admin {

class LocalityEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // `check` decides whether "&Memoreaza" may close the editor (it reports why not).
  using Check = std::function<bool(Locality&)>;
  explicit LocalityEditorDialog(QWidget* parent = nullptr);

  // Fills the editor for a new or an existing locality. `check` is called on
  // "&Memoreaza" with the typed locality (and may clean it).
  void prepare(const QString& title, const Locality& locality, Check check);
  // The locality as typed, after a confirmed close.
  const Locality& locality() const { return locality_; }
  // "&Memoreaza": closes confirmed when the check passes.
  void store();

 private:
  QLabel* title_;
  QLineEdit* name_;
  QComboBox* zone_;
  QComboBox* rank_;
  Locality locality_;
  Check check_;
};

}  // namespace dajdor::admin
