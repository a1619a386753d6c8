// TaxeAn ("Operatiuni in timpul anului"), the last page of the register: the
// taxpayer's fines and taxes of the year and his debits, each grid with its
// add / change / delete buttons, and the two operations for a whole village.
#pragma once

#include "register/debits.h"
#include "register/fines.h"
#include "register/taxpayer.h"

#include <QWidget>

#include <functional>
#include <optional>

class QTableWidget;

namespace dajdor {
struct AppContext;
}

namespace dajdor::reg {

class DebitDialog;
class FineDialog;
class FixedTaxDialog;

class YearOperationsWidget : public QWidget {
  Q_OBJECT
 public:
  // `villageText` gives the register's village combo text.
  YearOperationsWidget(AppContext& context, std::function<QString()> villageText, QWidget* parent = nullptr);

  // LoadPage(12): both grids for the taxpayer (none: empty grids).
  void setTaxpayer(const std::optional<Taxpayer>& taxpayer);

  void ConvexBtn5Click();  // "&Adauga" fine or tax
  void ConvexBtn6Click();  // "&Modifica"
  void ConvexBtn8Click();  // "&Sterge"
  void ConvexBtn2Click();  // "Adau&ga" debit
  void ConvexBtn3Click();  // "M&odifica"
  void ConvexBtn4Click();  // "S&terge"
  void LbButton5Click();      // "Adauga o taxa la to&ti"
  void LbSpeedButton6Click(); // "Adauga la Alte taxe o cantitate fi&xa"

  FineDialog* fineDialog() const { return fineDialog_; }
  DebitDialog* debitDialog() const { return debitDialog_; }
  FixedTaxDialog* fixedTaxDialog() const { return fixedTaxDialog_; }
  const QList<Fine>& fines() const { return fines_; }
  const QList<Debit>& debits() const { return debits_; }

 private:
  void reloadFines(std::int64_t selectId);
  void reloadDebits(std::int64_t selectId);
  std::optional<Fine> currentFine() const;
  std::optional<Debit> currentDebit() const;
  bool legalPerson() const;
  // Runs a write; an engine failure is told under `title`. True when it ran.
  bool attempt(const QString& title, const std::function<void()>& write);

  AppContext& context_;
  std::function<QString()> villageText_;
  std::optional<Taxpayer> taxpayer_;
  QList<Fine> fines_;
  QList<Debit> debits_;
  QTableWidget* finesGrid_ = nullptr;
  QTableWidget* debitsGrid_ = nullptr;
  FineDialog* fineDialog_ = nullptr;
  DebitDialog* debitDialog_ = nullptr;
  FixedTaxDialog* fixedTaxDialog_ = nullptr;
};

}  // namespace dajdor::reg
