#include "register/taxpayer_editor_dialog.h"

#include "register/cnp_edit_widget.h"
#include "register/taxpayer_register.h"
#include "session/app_context.h"
#include "store/lists.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"
#include "store/village_file.h"
#include "widgets/bold_label.h"
#include "widgets/enter_navigation.h"
#include "widgets/save_cancel_row.h"
#include "widgets/upper_case_input.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace dajdor::reg {
namespace {

QLineEdit* upperCaseEdit(const QString& name, int width, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(width);
  keepUpperCase(edit);
  return edit;
}

QComboBox* editableCombo(const QString& name, int width, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->lineEdit()->setMaxLength(width);
  // A long list is searched by typing, not by scrolling.
  combo->setMaxVisibleItems(20);
  return combo;
}

QComboBox* listCombo(const QString& name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  return combo;
}

QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

TaxpayerEditorDialog::TaxpayerEditorDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName("TAddGosF");
  setWindowTitle(kAddCaption);
  title_ = boldLabel(kAddCaption, 2, this);
  title_->setObjectName("TitleLabel");

  village_ = editableCombo(TaxpayerField::Village, kVillageWidth, this);
  keepUpperCase(village_->lineEdit());
  role_ = upperCaseEdit(TaxpayerField::Role, kRoleWidth, this);
  name_ = upperCaseEdit(TaxpayerField::Name, kNameWidth, this);
  code_ = new CnpEdit(this);
  code_->setObjectName(TaxpayerField::Code);
  code_->setAcceptGol(true);
  codeMeaning_ = new QLabel(this);
  codeMeaning_->setObjectName("CodeMeaning");
  connect(code_, &QLineEdit::textChanged, this, &TaxpayerEditorDialog::showCodeMeaning);
  address_ = editableCombo(TaxpayerField::Address, kAddressWidth, this);
  type_ = listCombo("TipEd", {kNaturalPerson, kLegalPerson}, this);
  noPenalties_ = listCombo("FaraMaj", {"NU", "DA"}, this);
  observations_ = new QPlainTextEdit(this);
  observations_->setObjectName(TaxpayerField::Observations);
  observations_->setTabChangesFocus(true);
  observations_->setFixedHeight(60);
  observations_->installEventFilter(this);
  connect(observations_, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = observations_->toPlainText();
    if (text.size() <= kObservationsWidth) return;
    observations_->setPlainText(text.left(kObservationsWidth));
    observations_->moveCursor(QTextCursor::End);
  });

  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(code_);
  codeRow->addWidget(codeMeaning_, 1);
  auto* form = new QFormLayout;
  form->addRow("Localitatea", village_);
  form->addRow("Nr.ROL unic", role_);
  form->addRow("Cap de gospodarie", name_);
  form->addRow("CNP / CUI", codeRow);
  form->addRow("Adresa", address_);
  form->addRow("Tip persoana", type_);
  noPenaltiesCaption_ = new QLabel("Fara majorari", this);
  form->addRow(noPenaltiesCaption_, noPenalties_);
  form->addRow("Observatii", observations_);

  auto* exemptions = new QGroupBox("Scutiri", this);
  exemptBuildings_ = checkBox("SCCLAD", "Cladiri, cladiri anexe", exemptions);
  exemptYard_ = checkBox("SCCC", "Teren curti - constructii", exemptions);
  exemptVehicles_ = checkBox("SCAUTO", "Mijloace de transport", exemptions);
  exemptInside_ = checkBox("SCTI", "Teren intravilan", exemptions);
  exemptOutside_ = new QLineEdit(exemptions);
  exemptOutside_->setObjectName(TaxpayerField::ExemptAmount);
  exemptOutside_->setMaxLength(kExemptAmountDigits);
  exemptOutside_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), exemptOutside_));
  exemptOutside_->setAlignment(Qt::AlignRight);
  exemptOutside_->setMaximumWidth(90);
  auto* grid = new QGridLayout(exemptions);
  grid->addWidget(exemptBuildings_, 0, 0);
  grid->addWidget(exemptYard_, 0, 1);
  grid->addWidget(exemptVehicles_, 1, 0);
  grid->addWidget(exemptInside_, 1, 1);
  auto* outside = new QHBoxLayout;
  outside->addWidget(new QLabel("Teren extravilan", exemptions));
  outside->addWidget(exemptOutside_);
  outside->addWidget(new QLabel("lei.", exemptions));
  outside->addStretch(1);
  grid->addLayout(outside, 2, 0, 1, 2);

  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { store(); });
  buttons.save->setText("&Memoreaza");
  buttons.cancel->setText("&Renunt");
  auto* status = new QLabel("ESC - Renunta si inchide", this);
  status->setObjectName("StatusLabel");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(form);
  layout->addWidget(exemptions);
  layout->addLayout(buttons.layout);
  layout->addWidget(status);

  // Enter order: the inputs as listed, the exemptions row by row, the amount last.
  const QList<QWidget*> order = {village_,         role_,       name_,          code_,
                                 address_,         type_,       noPenalties_,   observations_,
                                 exemptBuildings_, exemptYard_, exemptVehicles_, exemptInside_,
                                 exemptOutside_,   buttons.save, buttons.cancel};
  for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(exemptOutside_, [this] { store(); });
  setMinimumWidth(620);
}

void TaxpayerEditorDialog::PrepareForm() {
  editedId_ = 0;
  village_->clear();
  village_->addItems(readVillageFile(context_.paths.dataDir));
  village_->setCurrentIndex(village_->count() > 0 ? 0 : -1);
  role_->clear();
  name_->clear();
  code_->clear();
  address_->clear();
  if (context_.database) {
    try {
      address_->addItems(distinctValues(*context_.database, sql::tablePath(context_.paths.dataDir, kTaxpayerTable),
                                        QStringLiteral("ADRESA")));
    } catch (const std::exception& e) {
      context_.interaction->error(QStringLiteral("Adrese"), sql::message(e));
    }
  }
  address_->setCurrentIndex(-1);
  address_->setEditText(QString());
  type_->setCurrentIndex(0);
  noPenalties_->setCurrentIndex(0);
  const bool noPenaltiesMode = context_.rates.noPenaltiesMode();
  noPenaltiesCaption_->setVisible(noPenaltiesMode);
  noPenalties_->setVisible(noPenaltiesMode);
  observations_->clear();
  for (QCheckBox* box : {exemptBuildings_, exemptYard_, exemptVehicles_, exemptInside_}) box->setChecked(false);
  exemptOutside_->setText("0");
}

void TaxpayerEditorDialog::selectVillage(const QString& village) {
  const int found = village_->findText(village);
  if (found >= 0)
    village_->setCurrentIndex(found);
  else
    village_->setEditText(village);
}

void TaxpayerEditorDialog::showTaxpayer(const Taxpayer& t) {
  editedId_ = t.idgos;
  // A village or an address missing from the lists is still the taxpayer's.
  selectVillage(t.village);
  role_->setText(t.role);
  name_->setText(t.name);
  code_->setText(t.code);
  address_->setEditText(t.address);
  type_->setCurrentIndex(t.type == kLegalPerson ? 1 : 0);
  noPenalties_->setCurrentIndex(t.noPenalties ? 1 : 0);
  observations_->setPlainText(t.observations);
  exemptBuildings_->setChecked(t.exemptBuildings);
  exemptYard_->setChecked(t.exemptYard);
  exemptVehicles_->setChecked(t.exemptVehicles);
  exemptInside_->setChecked(t.exemptInside);
  exemptOutside_->setText(QString::number(t.exemptOutside));
}

bool TaxpayerEditorDialog::OpenAs(const QString& caption) {
  setWindowTitle(caption);
  title_->setText(caption);
  if (caption.contains(QLatin1String("Adaugare")) && context_.database)
    role_->setText(proposeRole(*context_.database, context_.paths.dataDir));
  village_->setFocus();
  return exec() == QDialog::Accepted;
}

Taxpayer TaxpayerEditorDialog::typed() const {
  Taxpayer t;
  t.idgos = editedId_;
  t.village = village_->currentText();
  t.role = role_->text();
  t.name = name_->text();
  t.code = code_->text();
  t.address = address_->currentText();
  t.type = type_->currentText();
  t.noPenalties = noPenalties_->currentIndex() == 1;
  // The memo's lines make one text.
  t.observations = observations_->toPlainText().remove(QLatin1Char('\n'));
  t.exemptBuildings = exemptBuildings_->isChecked();
  t.exemptYard = exemptYard_->isChecked();
  t.exemptVehicles = exemptVehicles_->isChecked();
  t.exemptInside = exemptInside_->isChecked();
  t.exemptOutside = exemptOutside_->text().toLongLong();
  return t;
}

void TaxpayerEditorDialog::store() {
  exemptOutside_->setText(QString::number(exemptOutside_->text().toLongLong()));
  Taxpayer t = typed();
  StoreDecision decision;
  try {
    decision = checkTaxpayer(*context_.database, context_.paths.dataDir, t, editedId_ == 0, *context_.interaction);
  } catch (const std::exception& e) {
    context_.interaction->error(windowTitle(), sql::message(e));
    return;
  }
  if (!decision.store) {
    if (QWidget* input = findChild<QWidget*>(decision.focus)) input->setFocus(Qt::OtherFocusReason);
    return;
  }
  taxpayer_ = t;
  accept();
}

bool TaxpayerEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  // Observations are one line of text: Enter moves on, as in every input.
  if (watched == observations_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TaxpayerEditorDialog::showCodeMeaning() {
  const QString code = code_->text();
  if (code.isEmpty())
    codeMeaning_->clear();
  else if (code_->Corect())
    codeMeaning_->setText(QStringLiteral("nascut la %1, %2").arg(code_->NascutLa().toString("dd.MM.yyyy"), code_->Sexul()));
  else if (IsValidCui(code))
    codeMeaning_->setText(QStringLiteral("cod fiscal (CUI)"));
  else
    codeMeaning_->setText(QStringLiteral("cod incomplet sau gresit"));
}

}  // namespace dajdor::reg
