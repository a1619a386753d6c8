// TAddGosF: the editor of one taxpayer, for adding ("Adaugare gospodarie") and
// changing ("Modificare gospodarie"). Enter walks the inputs in order and, in
// the last one, stores; Escape cancels.
#pragma once

#include "register/taxpayer.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace dajdor {
struct AppContext;
}

namespace dajdor::reg {

class CnpEdit;

class TaxpayerEditorDialog : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kAddCaption = QStringLiteral("Adaugare gospodarie");
  static inline const QString kChangeCaption = QStringLiteral("Modificare gospodarie");

  explicit TaxpayerEditorDialog(AppContext& context, QWidget* parent = nullptr);

  // PrepareForm: every input emptied and at its default; the villages from
  // Sate.lst (the first one chosen), the addresses already in the register.
  void PrepareForm();
  void selectVillage(const QString& village);
  // The inputs of an existing taxpayer, for a change.
  void showTaxpayer(const Taxpayer& taxpayer);
  // OpenAs: shows the editor modally under `caption`, proposing the next role
  // when adding; true when the user stored ("&Memoreaza").
  bool OpenAs(const QString& caption);
  // What was stored, cleaned as the register keeps it.
  const Taxpayer& taxpayer() const { return taxpayer_; }

  // "&Memoreaza": checks and, when the checks pass, closes as stored.
  void store();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Taxpayer typed() const;
  void showCodeMeaning();

  AppContext& context_;
  QLabel* title_;
  QComboBox* village_;
  QLineEdit* role_;
  QLineEdit* name_;
  CnpEdit* code_;
  QLabel* codeMeaning_;
  QComboBox* address_;
  QComboBox* type_;
  QLabel* noPenaltiesCaption_;
  QComboBox* noPenalties_;
  QPlainTextEdit* observations_;
  QCheckBox* exemptBuildings_;
  QCheckBox* exemptYard_;
  QCheckBox* exemptVehicles_;
  QCheckBox* exemptInside_;
  QLineEdit* exemptOutside_;
  std::int64_t editedId_ = 0;
  Taxpayer taxpayer_;
};

}  // namespace dajdor::reg
