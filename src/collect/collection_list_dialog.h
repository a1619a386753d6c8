// TAddListDeInc ("Lista de incasat"): the village, the calculation date, the
// person type and what the list of amounts to collect includes.
#pragma once

#include <QDate>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

class CollectionListDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CollectionListDialog(AppContext& context, QWidget* parent = nullptr);

  // Fills the choices; `showPersonType` shows "Tip persoana". False (after
  // telling the user) when the villages cannot be read.
  bool prepare(bool showPersonType);
  bool ask(bool showPersonType);
  // "Arata Lista": false (and the problem shown) when a choice is missing.
  bool confirm();

  QString village() const;
  QDate calculationDate() const;
  QString personType() const;
  bool includePluses() const;
  bool includeWithoutDebts() const;

 private:
  AppContext& context_;
  QComboBox* village_;
  QDateEdit* date_;
  QLabel* typeLabel_;
  QComboBox* personType_;
  QCheckBox* pluses_;
  QCheckBox* zero_;
};

}  // namespace dajdor::collect
