// TAddImpozit ("Impozite"): one debit of the year, with the details tab of its
// tax group, its header set by the caller ("Adaugare Debit", "Modifica debit").
#pragma once

#include "register/debits.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace dajdor {
struct AppContext;
class NumericEdit;
}  // namespace dajdor

namespace dajdor::reg {

class DebitDialog : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kDefaultHeader = QStringLiteral("Vanzari / cumparari");
  static inline const QString kAddHeader = QStringLiteral("Adaugare Debit");
  static inline const QString kChangeHeader = QStringLiteral("Modifica debit");

  explicit DebitDialog(AppContext& context, QWidget* parent = nullptr);

  // The inputs reset for a taxpayer of that kind.
  DebitEntry blank(bool legalPerson) const;
  // Shows `entry` under `header`; true when stored, the checked values in `entry`.
  bool edit(const QString& header, DebitEntry& entry);
  // The same without waiting, for tests: fill, then press the buttons.
  void fill(const QString& header, const DebitEntry& entry);
  const DebitEntry& result() const { return entry_; }
  QString shownTab() const;

 private:
  QWidget* buildBuildingsNatural();
  QWidget* buildBuildingsLegal();
  QWidget* buildBuiltLand();
  QWidget* buildOpenLand();
  QWidget* buildVehicles();
  void followGroup();
  void followCategory();
  void followBuiltCategory();
  void followVehicle();
  DebitEntry typed() const;
  void MemoreazaClick();

  AppContext& context_;
  DebitEntry entry_;
  QLabel* header_ = nullptr;
  QDateEdit* day_ = nullptr;
  QComboBox* group_ = nullptr;
  QComboBox* category_ = nullptr;
  QLineEdit* explanation_ = nullptr;
  QLabel* numberLabel_ = nullptr;
  NumericEdit* number_ = nullptr;
  QStackedWidget* tabs_ = nullptr;
  // ConF
  QRadioButton* naturalAnnex_ = nullptr;
  NumericEdit* area_ = nullptr;
  NumericEdit* year_ = nullptr;
  QComboBox* material_ = nullptr;
  QComboBox* zone_ = nullptr;
  QComboBox* rank_ = nullptr;
  // ConJ
  QRadioButton* legalAnnex_ = nullptr;
  NumericEdit* inventoryValue_ = nullptr;
  QCheckBox* depreciated_ = nullptr;
  QCheckBox* unevaluated_ = nullptr;
  // TI
  QComboBox* builtCategory_ = nullptr;
  NumericEdit* builtSurface_ = nullptr;
  QLabel* builtUnit_ = nullptr;
  QComboBox* builtZone_ = nullptr;
  // TE
  QComboBox* openCategory_ = nullptr;
  NumericEdit* openSurface_ = nullptr;
  QComboBox* openZone_ = nullptr;
  // ITM
  QComboBox* vehicle_ = nullptr;
  QLabel* capacityLabel_ = nullptr;
  NumericEdit* capacity_ = nullptr;
  QLabel* capacityUnit_ = nullptr;
  QLabel* countLabel_ = nullptr;
  NumericEdit* count_ = nullptr;
  NumericEdit* amount_ = nullptr;
};

}  // namespace dajdor::reg
