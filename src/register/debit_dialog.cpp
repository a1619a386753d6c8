#include "register/debit_dialog.h"

#include "admin/budget_codes_window.h"
#include "register/debit_items.h"
#include "register/fines.h"
#include "register/page_catalogue.h"
#include "register/year_inputs_widget.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/version.h"
#include "widgets/bold_label.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid.h"
#include "widgets/save_cancel_row.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace dajdor::reg {
namespace {

QStringList vehicleNames() {
  QStringList names;
  for (const VehicleEntry& e : vehicleEntries()) names.append(e.name);
  return names;
}

// The "Cladiri" / "Cladiri anexe" pair of a buildings tab; returns the annex button.
QRadioButton* buildingKind(const QString& prefix, QFormLayout* form, QWidget* tab) {
  auto* buildings = new QRadioButton("Cladiri", tab);
  buildings->setObjectName(prefix + "Cladiri");
  auto* annex = new QRadioButton("Cladiri anexe", tab);
  annex->setObjectName(prefix + "Anexe");
  buildings->setChecked(true);
  auto* group = new QButtonGroup(tab);
  group->addButton(buildings);
  group->addButton(annex);
  auto* row = new QHBoxLayout;
  row->addWidget(buildings);
  row->addWidget(annex);
  row->addStretch(1);
  form->addRow(row);
  return annex;
}

QWidget* tabPage(DebitTab tab, QWidget* parent, QFormLayout*& form) {
  auto* page = new QWidget(parent);
  page->setObjectName(tabName(tab));
  form = new QFormLayout(page);
  return page;
}

// An input with its unit after it.
QHBoxLayout* withUnit(QWidget* input, QLabel* unit) {
  auto* row = new QHBoxLayout;
  row->addWidget(input);
  row->addWidget(unit);
  row->addStretch(1);
  return row;
}

}  // namespace

DebitDialog::DebitDialog(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
  setObjectName("TAddImpozit");
  setWindowTitle("Impozite");
  setModal(true);
  header_ = boldLabel(kDefaultHeader, 3, this);
  header_->setObjectName("HeaderLabel");
  day_ = yearDate("DINDATA", this);
  group_ = yearChoice("ImpozitBox", debitGroups(), this);
  category_ = yearChoice("CategBox", debitCategories(), this);
  explanation_ = new QLineEdit(this);
  explanation_->setObjectName(DebitField::Explanation);
  explanation_->setMaxLength(kExplanationWidth);
  numberLabel_ = new QLabel("BD", this);
  numberLabel_->setObjectName("NrLabel");
  number_ = yearNumber("Nr", 10, 0, false, this);
  QPushButton* codes = plainButton("CoduriClasificare", "Coduri clasificare", this);
  connect(codes, &QPushButton::clicked, this, [this] {
    SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
    admin::BudgetCodesWindow window(*context_.database, settings, *context_.interaction, this);
    window.showList();
  });

  tabs_ = new QStackedWidget(this);
  tabs_->setObjectName("Detalii");
  for (QWidget* tab : {buildBuildingsNatural(), buildBuildingsLegal(), buildBuiltLand(), buildOpenLand(), buildVehicles()})
    tabs_->addWidget(tab);
  auto* details = new QGroupBox("Detalii", this);
  auto* detailsLayout = new QVBoxLayout(details);
  detailsLayout->addWidget(tabs_);
  amount_ = yearNumber(DebitField::Amount, 6, 0, false, this);

  auto* groupRow = new QHBoxLayout;
  groupRow->addWidget(group_, 1);
  groupRow->addWidget(codes);
  auto* form = new QFormLayout;
  form->addRow("Din data", day_);
  form->addRow("Denumire impozit", groupRow);
  form->addRow("Categoria", category_);
  form->addRow("Explicatii", explanation_);
  form->addRow(numberLabel_, number_);
  auto* amountForm = new QFormLayout;
  amountForm->addRow("Valoare impozit (lei)", amount_);
  auto* inputs = new QVBoxLayout;
  inputs->addLayout(form);
  inputs->addWidget(details);
  inputs->addLayout(amountForm);
  layOutEditor(this, header_, inputs, amount_, [this] { MemoreazaClick(); });

  connect(group_, &QComboBox::currentIndexChanged, this, &DebitDialog::followGroup);
  connect(category_, &QComboBox::currentIndexChanged, this, &DebitDialog::followCategory);
  connect(builtCategory_, &QComboBox::currentIndexChanged, this, &DebitDialog::followBuiltCategory);
  connect(vehicle_, &QComboBox::currentIndexChanged, this, &DebitDialog::followVehicle);
  resize(560, 0);
}

QWidget* DebitDialog::buildBuildingsNatural() {
  QFormLayout* form = nullptr;
  QWidget* tab = tabPage(DebitTab::ConF, this, form);
  naturalAnnex_ = buildingKind("ConF", form, tab);
  area_ = yearNumber(DebitField::Area, 6, 2, false, tab);
  year_ = yearNumber(DebitField::Year, 4, 0, false, tab);
  material_ = yearChoice("ComboBox16", materialItems(), tab);
  zone_ = yearChoice("ZonaCon1", buildingZones(), tab);
  rank_ = yearChoice("RangCon1", buildingRanks(), tab);
  form->addRow("Suprafata construita (mp)", area_);
  form->addRow("Anul darii in folosinta", year_);
  form->addRow("Cod material constructie", material_);
  form->addRow("Zona", zone_);
  form->addRow("Rang", rank_);
  return tab;
}

QWidget* DebitDialog::buildBuildingsLegal() {
  QFormLayout* form = nullptr;
  QWidget* tab = tabPage(DebitTab::ConJ, this, form);
  legalAnnex_ = buildingKind("ConJ", form, tab);
  inventoryValue_ = yearNumber(DebitField::InventoryValue, 8, 0, false, tab);
  depreciated_ = new QCheckBox("Amortizata", tab);
  depreciated_->setObjectName("AmortizCon2");
  unevaluated_ = new QCheckBox("Neevaluata", tab);
  unevaluated_->setObjectName("NeevalA2");
  form->addRow("Valoare inventar", inventoryValue_);
  form->addRow(depreciated_);
  form->addRow(unevaluated_);
  return tab;
}

QWidget* DebitDialog::buildBuiltLand() {
  QFormLayout* form = nullptr;
  QWidget* tab = tabPage(DebitTab::TI, this, form);
  builtCategory_ = yearChoice("TICategBox", debitBuiltLandCategories(), tab);
  builtSurface_ = yearNumber(DebitField::BuiltSurface, 5, 4, false, tab);
  builtUnit_ = new QLabel("mp", tab);
  builtUnit_->setObjectName("UnitLabel3");
  builtZone_ = yearChoice("Zona3", builtLandZones(), tab);
  form->addRow("Categoria de folosinta", builtCategory_);
  form->addRow("Suprafata", withUnit(builtSurface_, builtUnit_));
  form->addRow("Zona", builtZone_);
  return tab;
}

QWidget* DebitDialog::buildOpenLand() {
  QFormLayout* form = nullptr;
  QWidget* tab = tabPage(DebitTab::TE, this, form);
  openCategory_ = yearChoice("TECategBox", openLandCategories(), tab);
  openSurface_ = yearNumber("Supraf4", 5, 4, false, tab);
  openZone_ = yearChoice("Zona4", openLandZones(), tab);
  form->addRow("Categoria de folosinta", openCategory_);
  form->addRow("Suprafata - ha", openSurface_);
  form->addRow("Zona", openZone_);
  return tab;
}

QWidget* DebitDialog::buildVehicles() {
  QFormLayout* form = nullptr;
  QWidget* tab = tabPage(DebitTab::ITM, this, form);
  vehicle_ = yearChoice("ITMCategBox", vehicleNames(), tab);
  vehicle_->setMinimumWidth(vehicle_->fontMetrics().averageCharWidth() * 46);
  capacity_ = yearNumber(DebitField::Capacity, 6, 0, false, tab);
  capacityUnit_ = new QLabel("cmc", tab);
  capacityUnit_->setObjectName("CapacUnit");
  capacityLabel_ = new QLabel("Capacitatea", tab);
  count_ = yearNumber(DebitField::Count, 6, 0, false, tab);
  countLabel_ = new QLabel("Bucati", tab);
  form->addRow("Categoria", vehicle_);
  form->addRow(capacityLabel_, withUnit(capacity_, capacityUnit_));
  form->addRow(countLabel_, count_);
  return tab;
}

DebitEntry DebitDialog::blank(bool legalPerson) const {
  return resetDebitEntry(context_.clock.today(), context_.rates.defaultZone(), context_.rates.defaultRank(), kWorkYear,
                         legalPerson);
}

QString DebitDialog::shownTab() const { return tabs_->currentWidget()->objectName(); }

void DebitDialog::followGroup() {
  tabs_->setCurrentIndex(static_cast<int>(debitTab(group_->currentText(), entry_.legalPerson)));
}

void DebitDialog::followCategory() {
  const QString c = category_->currentText();
  numberLabel_->setText(c == QLatin1String("Cumparare") || c == QLatin1String("Majorare") ? "BD" : "BS");
}

void DebitDialog::followBuiltCategory() {
  builtUnit_->setText(builtCategory_->currentText() == kYardCategory ? "mp" : "ha");
}

void DebitDialog::followVehicle() {
  const VehicleEntry* v = vehicleEntry(vehicle_->currentText());
  const bool capacity = v && v->hasCapacity(), count = v && v->hasCount();
  for (QWidget* w : std::initializer_list<QWidget*>{capacityLabel_, capacity_, capacityUnit_}) w->setVisible(capacity);
  for (QWidget* w : std::initializer_list<QWidget*>{countLabel_, count_}) w->setVisible(count);
  capacityUnit_->setText(v && v->tonnage ? "total tdw" : "cmc");
}

void DebitDialog::fill(const QString& header, const DebitEntry& e) {
  entry_ = e;
  header_->setText(header);
  day_->setDate(e.day);
  chooseItem(group_, e.group);
  chooseItem(category_, e.category);
  explanation_->setText(e.explanation);
  showAmount(number_, e.number);
  (e.annex ? naturalAnnex_ : tabs_->widget(0)->findChild<QRadioButton*>("ConFCladiri"))->setChecked(true);
  (e.annex ? legalAnnex_ : tabs_->widget(1)->findChild<QRadioButton*>("ConJCladiri"))->setChecked(true);
  showAmount(area_, e.area);
  showAmount(year_, e.year);
  material_->setCurrentIndex(std::clamp(e.material, 0, static_cast<int>(material_->count()) - 1));
  chooseItem(zone_, e.zone);
  chooseItem(rank_, e.rank);
  showAmount(inventoryValue_, e.inventoryValue);
  depreciated_->setChecked(e.depreciated);
  unevaluated_->setChecked(e.unevaluated);
  chooseItem(builtCategory_, e.builtCategory);
  showAmount(builtSurface_, e.builtSurface);
  chooseItem(builtZone_, e.builtZone);
  chooseItem(openCategory_, e.openCategory);
  showAmount(openSurface_, e.openSurface);
  chooseItem(openZone_, e.openZone);
  chooseItem(vehicle_, e.vehicle);
  showAmount(capacity_, e.capacity);
  showAmount(count_, e.count);
  showAmount(amount_, e.amount);
  followGroup();
  followCategory();
  followBuiltCategory();
  followVehicle();
  day_->setFocus();
}

bool DebitDialog::edit(const QString& header, DebitEntry& entry) { return editIn(*this, header, entry); }

DebitEntry DebitDialog::typed() const {
  DebitEntry e = entry_;
  e.day = day_->date();
  e.group = group_->currentText();
  e.category = category_->currentText();
  e.explanation = explanation_->text();
  e.number = amountIn(number_);
  e.annex = e.legalPerson ? legalAnnex_->isChecked() : naturalAnnex_->isChecked();
  e.area = amountIn(area_);
  e.year = amountIn(year_);
  e.material = material_->currentIndex();
  e.zone = zone_->currentText();
  e.rank = rank_->currentText();
  e.inventoryValue = amountIn(inventoryValue_);
  e.depreciated = depreciated_->isChecked();
  e.unevaluated = unevaluated_->isChecked();
  e.builtCategory = builtCategory_->currentText();
  e.builtSurface = amountIn(builtSurface_);
  e.builtZone = builtZone_->currentText();
  e.openCategory = openCategory_->currentText();
  e.openSurface = amountIn(openSurface_);
  e.openZone = openZone_->currentText();
  e.vehicle = vehicle_->currentText();
  e.capacity = amountIn(capacity_);
  e.count = amountIn(count_);
  e.amount = amountIn(amount_);
  return e;
}

void DebitDialog::MemoreazaClick() {
  DebitEntry e = typed();
  if (!checkDebitEntry(e, kWorkYear, *context_.interaction)) return;
  entry_ = e;
  accept();
}

}  // namespace dajdor::reg
