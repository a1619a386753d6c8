// TGospodarii: the taxpayer register. A navigator on the left chooses between
// the register itself (list, search, add, change, delete), the eleven pages of
// the current taxpayer's assessment file, and the operations of the year; a
// page edited and not stored is offered for storing before it is left.
#pragma once

#include "register/register_list.h"

#include <QDialog>
#include <QHash>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace dajdor {
struct AppContext;
}

namespace dajdor::reg {

class AssessmentPageWidget;
class RegisterListModel;
class TaxpayerEditorDialog;
class VehicleDetailsWidget;
class YearOperationsWidget;

class RegisterWindow : public QDialog {
  Q_OBJECT
 public:
  // Navigator positions.
  static constexpr int kRegisterItem = 0;
  static constexpr int kHeadingItem = 1;
  // Stack position of the page of the year's operations, after the eleven pages.
  static constexpr int kYearPage = 12;

  explicit RegisterWindow(AppContext& context, QWidget* parent = nullptr);
  ~RegisterWindow() override;

  // ShowRegister: opens the list and shows the window modally.
  void ShowRegister();
  // The same without waiting, for tests and for showing it beside other windows.
  void openRegister();

  // SatComboChange for one of the three search inputs.
  void SatComboChange(SearchInput changed);
  // GxAfterScroll: the labels, the memo and the search inputs follow the current row.
  void GxAfterScroll();
  // ListView1SelectItem: the page of a navigator item.
  void ListView1SelectItem(int item);
  void AddGospodarie();
  void LbSpeedButton3Click();  // "&Modifica ROL"
  void LbSpeedButton4Click();  // "&Sterge ROL"
  // The debt generation: the taxpayer shown, or every taxpayer of every village
  // (without questions or messages when unattended).
  void AddLaPlata();
  void AddAllPlata(bool unattended = false);
  // After the unattended daily import: in 3 s, every taxpayer is sent to
  // payment unattended and the window closes.
  void StartAutoAddTimer();

  const RegisterList& list() const { return list_; }
  int activePage() const;
  TaxpayerEditorDialog* editor() const { return editor_; }
  AssessmentPageWidget* page(int number) const;
  YearOperationsWidget* yearPage() const { return yearPage_; }

 public slots:
  void done(int result) override;

 private:
  QWidget* buildRegisterPage();
  QWidget* buildPageSlot(int number);
  void showList();
  void showCurrentRow();
  void showTaxpayerLabels(const std::optional<Taxpayer>& taxpayer);
  void reopenAt(const QString& village, const QString& name, std::int64_t idgos);
  void addVillage(const QString& village, bool save);
  void storePage(int number);
  void abandonPage(int number);
  bool pageModified(int number) const;
  void askToStoreActivePage();
  QString selectedVillage() const;
  void syncNavigator();

  AppContext& context_;
  RegisterList list_;
  int registerBusy_ = 0;  // RegisterBusy: changes the window makes itself are not searches
  RegisterListModel* model_ = nullptr;
  TaxpayerEditorDialog* editor_ = nullptr;

  QListWidget* navigator_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QWidget* header_ = nullptr;  // AfisSus
  QLabel* villageHeader_ = nullptr;
  QLabel* taxpayerHeader_ = nullptr;
  QComboBox* village_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* role_ = nullptr;
  QTableView* grid_ = nullptr;
  QPlainTextEdit* observations_ = nullptr;
  QLabel* total_ = nullptr;
  QHash<QString, QLabel*> labels_;  // data-aware labels by field
  QList<QWidget*> noPenaltiesPair_;
  QList<AssessmentPageWidget*> assessment_;  // page n at n - 1
  QList<QWidget*> modifiedPanels_;           // Modi<n> at n - 1
  QTimer* autoAddTimer_ = nullptr;
  VehicleDetailsWidget* vehicleDetails_ = nullptr;  // under the vehicles page
  YearOperationsWidget* yearPage_ = nullptr;
};

}  // namespace dajdor::reg
