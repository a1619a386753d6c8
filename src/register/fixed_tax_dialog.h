// TFAddTaxaFixa ("Taxe cu valoare fixa"): the tax and the value or quantity of
// an operation for a whole village, in one of two modes set by the caller.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;

namespace dajdor {
class EnterNavigation;
class NumericEdit;
}  // namespace dajdor

namespace dajdor::reg {

class FixedTaxDialog : public QDialog {
  Q_OBJECT
 public:
  explicit FixedTaxDialog(QWidget* parent = nullptr);

  struct Choice {
    QString tax;
    QString number;  // as typed ("0" when left empty)
    bool onlyWithHouses = false;
  };
  // "Adauga taxa la toti": a value in lei, and "Adauga numai gospodariilor cu case".
  void prepareValue(const QStringList& taxes);
  // "Alte taxe": a quantity of one of the other taxes.
  void prepareQuantity(const QStringList& taxes);
  // Shown modally after one of the two; the choice when "Adauga" was pressed.
  std::optional<Choice> ask();
  Choice choice() const;

 private:
  void prepare(const QString& caption, const QString& header, const QString& label, const QStringList& taxes,
               bool houses);

  QLabel* header_ = nullptr;
  QComboBox* tax_ = nullptr;
  QLabel* numberLabel_ = nullptr;
  NumericEdit* number_ = nullptr;
  QCheckBox* houses_ = nullptr;
  QFormLayout* form_ = nullptr;
  EnterNavigation* enter_ = nullptr;
};

}  // namespace dajdor::reg
