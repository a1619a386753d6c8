// TFModiChit ("Modificare"): a stored document's date, series and number, as
// the history lets them be corrected.
#pragma once

#include "collect/payment_context.h"

#include <QDate>
#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QDateEdit;
class QLineEdit;

namespace dajdor {
class Interaction;
class NumericEdit;
}  // namespace dajdor

namespace dajdor::collect {

struct DocumentNumbering {
  QDate date;
  QString series;
  QString number;  // as typed
};

class ReceiptChangeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ReceiptChangeDialog(Interaction& interaction, QWidget* parent = nullptr);

  // Stores what "Modifica" confirms through `apply`; the dialog stays open on
  // the problem `apply` finds. True when something was changed.
  using Apply = std::function<std::optional<Problem>(const DocumentNumbering&)>;
  bool ask(const DocumentNumbering& current, Apply apply);
  // "Modifica".
  bool confirm();

  QDateEdit* dateInput() const { return date_; }
  QLineEdit* seriesInput() const { return series_; }
  NumericEdit* numberInput() const { return number_; }
  DocumentNumbering numbering() const;

 private:
  Interaction& interaction_;
  Apply apply_;
  QDateEdit* date_;
  QLineEdit* series_;
  NumericEdit* number_;
};

}  // namespace dajdor::collect
