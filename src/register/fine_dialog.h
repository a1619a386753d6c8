// TFTaxe ("Taxe / Amenzi"): one fine or tax of the year, its header set by the
// caller ("Adaugare Taxa / Amenda", "Modifcare Taxa / Amenda"). Used by the
// register's page of the year and by the collections window.
#pragma once

#include "register/fines.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace dajdor {
struct AppContext;
class NumericEdit;
}  // namespace dajdor

namespace dajdor::reg {

class FineDialog : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kAddHeader = QStringLiteral("Adaugare Taxa / Amenda");
  static inline const QString kChangeHeader = QStringLiteral("Modifcare Taxa / Amenda");

  explicit FineDialog(AppContext& context, QWidget* parent = nullptr);

  // Shows `entry` under `header`; true when stored, the checked values in `entry`.
  bool edit(const QString& header, FineEntry& entry);
  // The same without waiting, for tests: fill, then press the buttons.
  void fill(const QString& header, const FineEntry& entry);
  const FineEntry& result() const { return entry_; }
  // A new entry: today, the first group, no amounts.
  FineEntry blank() const;

 private:
  void refillGroups();
  void openBudgetCodes();
  void MemoreazaClick();

  AppContext& context_;
  FineEntry entry_;
  QLabel* header_ = nullptr;
  QComboBox* group_ = nullptr;
  QDateEdit* day_ = nullptr;
  QLineEdit* explanation_ = nullptr;
  NumericEdit* number_ = nullptr;
  NumericEdit* amount_ = nullptr;
  NumericEdit* arrears_ = nullptr;
  NumericEdit* reduction_ = nullptr;
};

// "Adauga o taxa/amenda" of the collections window: the dialog under
// kAddHeader, then the row with its bonus percent. True when stored.
bool addFineFromDialog(AppContext& context, const FineOwner& owner, QWidget* parent);

}  // namespace dajdor::reg
