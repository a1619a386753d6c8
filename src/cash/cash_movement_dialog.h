// `TFAddOper`: one movement entered by hand, a receipt ("INCASARE") or a
// payment ("PLATA"), with its supporting document, amount and day. The caller
// sets the title ("Adaugare Operatiune" / "Modificare Operatiune"); the dialog
// closes only on a movement that passes the domain's checks.
#pragma once

#include "cash/cash_movements.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace dajdor {
class NumericEdit;
}

namespace dajdor::cash {

class CashMovementDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CashMovementDialog(Interaction& interaction, QWidget* parent = nullptr);

  // Shows `initial` and the documents to choose from; the movement typed when
  // "&Memoreaza" was pressed, nothing on "&Renunt" or Escape.
  std::optional<Movement> ask(const QString& title, const Movement& initial, const QStringList& documents);

  void setMovement(const Movement& movement);
  Movement movement() const;
  void save();

  QComboBox* document() const { return document_; }
  QComboBox* kind() const { return kind_; }
  NumericEdit* amount() const { return amount_; }
  QDateEdit* day() const { return day_; }
  QPushButton* saveButton() const { return save_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  Interaction& interaction_;
  QLabel* title_;
  QComboBox* document_;
  QComboBox* kind_;
  NumericEdit* amount_;
  QDateEdit* day_;
  QPushButton* save_;
};

}  // namespace dajdor::cash
