// TFModificare ("Detalii / Modificari"): the six amounts of one line of the
// Operare window, changed by hand; they must still add up to the line's cash.
#pragma once

#include "collect/document_lines.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;

namespace dajdor {
class Interaction;
class NumericEdit;
}  // namespace dajdor

namespace dajdor::collect {

class LineAmountsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LineAmountsDialog(Interaction& interaction, QWidget* parent = nullptr);

  // Shows the amounts of the line; the amounts accepted, or nothing.
  std::optional<LineAmounts> edit(const DocumentLine& line);
  // "&Memoreaza": accepted only when the amounts still make the line's TOTAL.
  bool save();

  // "Ramasita", "Majorare", "Plusuri", "Curente", "Reducere", "Majorari".
  NumericEdit* input(int index) const { return inputs_[index]; }
  LineAmounts amounts() const;

 private:
  Interaction& interaction_;
  QLabel* group_;
  std::array<NumericEdit*, 6> inputs_{};
  DocumentLine line_;
};

}  // namespace dajdor::collect
