#include "register/register_window.h"

#include "register/assessment_page_widget.h"
#include "register/assessment_pages.h"
#include "register/page_catalogue.h"
#include "register/taxpayer_editor_dialog.h"
#include "register/taxpayer_register.h"
#include "register/to_payment.h"
#include "register/vehicle_details_widget.h"
#include "register/year_operations_widget.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/version.h"
#include "store/village_file.h"
#include "widgets/bold_label.h"
#include "widgets/gradient_panel_widget.h"
#include "widgets/record_grid.h"
#include "widgets/upper_case_input.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace dajdor::reg {

// DBGrid1's rows: the names of the list, read only when drawn.
class RegisterListModel : public QAbstractTableModel {
 public:
  RegisterListModel(const RegisterList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}
  void reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !list_.isOpen() ? 0 : list_.count();
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return list_.name(index.row());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section != 0) return {};
    return QStringLiteral("Cap de gospodarie");
  }

 private:
  const RegisterList& list_;
};

namespace {

const QString kStoreQuestionTitle = QStringLiteral("Date nememorate");
const QString kStoreQuestion =
    QStringLiteral("Ati facut modificari in pagina si nu le-ati memorat!\rDoriti sa le memorati?");
const QColor kHeaderFrom(0x1F, 0x4E, 0x8C);
const QColor kHeaderTo(0x6A, 0x9B, 0xD8);

QLabel* whiteBold(const QString& name, int pointDelta, QWidget* parent) {
  QLabel* label = boldLabel({}, pointDelta, parent);
  label->setObjectName(name);
  label->setStyleSheet(QStringLiteral("color: white;"));
  return label;
}

struct ScopedBusy {
  int& counter;
  explicit ScopedBusy(int& c) : counter(c) { ++counter; }
  ~ScopedBusy() { --counter; }
};

}  // namespace

RegisterWindow::RegisterWindow(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
  setObjectName("TGospodarii");
  setWindowTitle(kApplicationTitle);
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  editor_ = new TaxpayerEditorDialog(context_, this);

  auto* top = new GradientPanel(this);
  top->setObjectName("HeaderPanel");
  top->setColours(kHeaderFrom, kHeaderTo);
  auto* topLayout = new QHBoxLayout(top);
  QLabel* heading = whiteBold("HeaderLabel", 6, top);
  heading->setText("Gospodarii");
  topLayout->addWidget(heading);

  navigator_ = new QListWidget(this);
  navigator_->setObjectName("ListView1");
  navigator_->addItem("Identificare gospodarie");
  navigator_->addItem("   Categorii de taxe");
  for (const AssessmentPage& page : assessmentPages()) navigator_->addItem("   - " + page.navigatorText);
  navigator_->addItem("Operatiuni in timpul anului");
  QListWidgetItem* headingItem = navigator_->item(kHeadingItem);
  headingItem->setFlags(Qt::NoItemFlags);
  QFont headingFont = headingItem->font();
  headingFont.setBold(true);
  headingItem->setFont(headingFont);
  headingItem->setForeground(palette().color(QPalette::WindowText));
  navigator_->setFixedWidth(205);
  connect(navigator_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ListView1SelectItem(row);
  });

  header_ = new GradientPanel(this);
  header_->setObjectName("AfisSus");
  static_cast<GradientPanel*>(header_)->setColours(kHeaderTo, kHeaderFrom);
  villageHeader_ = whiteBold("SatLab", 2, header_);
  taxpayerHeader_ = whiteBold("CapGoslab", 2, header_);
  auto* headerLayout = new QHBoxLayout(header_);
  headerLayout->addWidget(villageHeader_);
  headerLayout->addSpacing(24);
  headerLayout->addWidget(taxpayerHeader_, 1);
  header_->hide();

  pages_ = new QStackedWidget(this);
  pages_->setObjectName("PageControl1");
  pages_->addWidget(buildRegisterPage());
  for (int n = kFirstPage; n <= kLastPage; ++n) pages_->addWidget(buildPageSlot(n));
  yearPage_ = new YearOperationsWidget(context_, [this] { return village_->currentText(); }, this);
  pages_->addWidget(yearPage_);

  auto* right = new QVBoxLayout;
  right->addWidget(header_);
  right->addWidget(pages_, 1);
  auto* body = new QHBoxLayout;
  body->addWidget(navigator_);
  body->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(top);
  layout->addLayout(body, 1);
  resize(1280, 700);
}

RegisterWindow::~RegisterWindow() = default;

QWidget* RegisterWindow::buildRegisterPage() {
  auto* page = new QWidget(this);
  page->setObjectName("IdentificareP");

  village_ = new QComboBox(page);
  village_->setObjectName("SatCombo");
  village_->setMinimumWidth(220);
  village_->setMaxVisibleItems(25);
  // A village chosen by the user, also the one already shown: the combo follows
  // the current row without narrowing the list, so choosing it again narrows it.
  connect(village_, &QComboBox::activated, this, [this] { SatComboChange(SearchInput::Village); });
  name_ = new QLineEdit(page);
  name_->setObjectName("CapGosp");
  name_->setMaxLength(kNameWidth);
  keepUpperCase(name_);
  connect(name_, &QLineEdit::textEdited, this, [this] { SatComboChange(SearchInput::Name); });
  role_ = new QLineEdit(page);
  role_->setObjectName("ROLEd");
  role_->setMaxLength(kRoleWidth);
  role_->setMaximumWidth(110);
  keepUpperCase(role_);
  connect(role_, &QLineEdit::textEdited, this, [this] { SatComboChange(SearchInput::Role); });
  auto* search = new QHBoxLayout;
  search->addWidget(new QLabel("Localitatea", page));
  search->addWidget(village_);
  search->addSpacing(12);
  search->addWidget(new QLabel("Cap de gospodarie", page));
  search->addWidget(name_, 1);
  search->addSpacing(12);
  search->addWidget(new QLabel("Nr. ROL", page));
  search->addWidget(role_);

  model_ = new RegisterListModel(list_, this);
  grid_ = new QTableView(page);
  grid_->setObjectName("DBGrid1");
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setAlternatingRowColors(true);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
    if (registerBusy_ > 0 || !now.isValid()) return;
    list_.moveTo(now.row());
    GxAfterScroll();
  });
  // A double click or Enter on a row.
  connect(grid_, &QTableView::activated, this, [this] { GxAfterScroll(); });

  // The data-aware labels of the current row.
  auto* details = new QWidget(page);
  details->setObjectName("DetailsPanel");
  auto* form = new QFormLayout(details);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setContentsMargins(0, 0, 0, 0);
  const auto dataLabel = [&](const QString& field, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(field + "Lab");
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    labels_.insert(field, label);
    return label;
  };
  form->addRow("Tip persoana:", dataLabel("TIP", details));
  form->addRow("CNP / CUI:", dataLabel("CNP", details));
  QLabel* address = dataLabel("ADRESA", details);
  address->setWordWrap(true);
  form->addRow("Adresa:", address);
  auto* noPenaltiesCaption = new QLabel("Fara majorari:", details);
  form->addRow(noPenaltiesCaption, dataLabel("NOTAX", details));
  noPenaltiesPair_ = {noPenaltiesCaption, labels_.value("NOTAX")};
  auto* exemptions = new QGroupBox("Scutiri", details);
  auto* exemptForm = new QFormLayout(exemptions);
  exemptForm->addRow("Cladiri, cladiri anexe:", dataLabel("SCCLAD", exemptions));
  exemptForm->addRow("Teren curti - constructii:", dataLabel("SCCC", exemptions));
  exemptForm->addRow("Mijloace de transport:", dataLabel("SCAUTO", exemptions));
  exemptForm->addRow("Teren intravilan:", dataLabel("SCTI", exemptions));
  exemptForm->addRow("Teren extravilan:", dataLabel("SCTE", exemptions));
  form->addRow(exemptions);
  observations_ = new QPlainTextEdit(details);
  observations_->setObjectName("Memo1");
  observations_->setReadOnly(true);
  observations_->setFocusPolicy(Qt::NoFocus);
  observations_->setFixedHeight(90);
  form->addRow("Observatii:", observations_);
  details->setMinimumWidth(380);
  auto* detailsColumn = new QVBoxLayout;
  detailsColumn->addWidget(details);
  detailsColumn->addStretch(1);

  auto* lists = new QHBoxLayout;
  lists->addWidget(grid_, 3);
  lists->addLayout(detailsColumn, 2);

  total_ = new QLabel(page);
  total_->setObjectName("TotalGosp");
  QPushButton* add = plainButton("AddGospodarie", "&Adauga ROL", page);
  connect(add, &QPushButton::clicked, this, &RegisterWindow::AddGospodarie);
  QPushButton* change = plainButton("LbSpeedButton3", "&Modifica ROL", page);
  connect(change, &QPushButton::clicked, this, &RegisterWindow::LbSpeedButton3Click);
  QPushButton* remove = plainButton("LbSpeedButton4", "&Sterge ROL", page);
  connect(remove, &QPushButton::clicked, this, &RegisterWindow::LbSpeedButton4Click);
  QPushButton* toPayment = plainButton("AddLaPlata", "A&dauga Gospodaria (ROL) la plata", page);
  connect(toPayment, &QPushButton::clicked, this, &RegisterWindow::AddLaPlata);
  QPushButton* allToPayment = plainButton("AddAllPlata", "Adauga toate &Localitatile la plata", page);
  connect(allToPayment, &QPushButton::clicked, this, [this] { AddAllPlata(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(total_);
  buttons->addStretch(1);
  for (QPushButton* b : {add, change, remove}) buttons->addWidget(b);
  buttons->addSpacing(24);
  for (QPushButton* b : {toPayment, allToPayment}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(search);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  setTabOrder(village_, name_);
  setTabOrder(name_, role_);
  setTabOrder(role_, grid_);
  return page;
}

QWidget* RegisterWindow::buildPageSlot(int number) {
  auto* slot = new QWidget(this);
  slot->setObjectName(QStringLiteral("PageSlot%1").arg(number));
  auto* page = new AssessmentPageWidget(number, context_, slot);
  assessment_.append(page);

  auto* panel = new QWidget(slot);
  panel->setObjectName(QStringLiteral("Modi%1").arg(number));
  panel->setStyleSheet(QStringLiteral("#Modi%1 { background: #FFF2B3; }").arg(number));
  panel->setAttribute(Qt::WA_StyledBackground);
  QPushButton* store = plainButton(QStringLiteral("Memorare%1").arg(number), "Memoreaza modificarile", panel);
  QPushButton* abandon = plainButton(QStringLiteral("Anulare%1").arg(number), "Anuleaza modificarile", panel);
  connect(store, &QPushButton::clicked, this, [this, number] { storePage(number); });
  connect(abandon, &QPushButton::clicked, this, [this, number] { abandonPage(number); });
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(new QLabel("Pagina are modificari nememorate.", panel));
  panelLayout->addStretch(1);
  panelLayout->addWidget(store);
  panelLayout->addWidget(abandon);
  panel->hide();
  modifiedPanels_.append(panel);
  connect(page, &AssessmentPageWidget::modified, panel, &QWidget::show);

  auto* layout = new QVBoxLayout(slot);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page, 1);
  if (number == 5) {
    vehicleDetails_ = new VehicleDetailsWidget(context_, slot);
    layout->addWidget(vehicleDetails_);
  }
  layout->addWidget(panel);
  return slot;
}

int RegisterWindow::activePage() const { return pages_->currentIndex(); }

AssessmentPageWidget* RegisterWindow::page(int number) const {
  return number >= kFirstPage && number <= kLastPage ? assessment_[number - 1] : nullptr;
}

QString RegisterWindow::selectedVillage() const {
  return village_->currentIndex() < 0 ? QString() : village_->currentText();
}

void RegisterWindow::ShowRegister() {
  openRegister();
  exec();
}

void RegisterWindow::openRegister() {
  {
    const ScopedBusy busy(registerBusy_);
    try {
      list_.setFilter({}, {});
      list_.open(*context_.database, context_.paths.dataDir);
    } catch (const std::exception& e) {
      context_.interaction->error(QStringLiteral("Gospodarii"), sql::message(e));
    }
    model_->reset();
    pages_->setCurrentIndex(0);
    header_->hide();
    navigator_->setCurrentRow(-1);
    navigator_->clearSelection();
    village_->clear();
    village_->addItems(context_.villages);
    village_->setCurrentIndex(-1);
    name_->clear();
    role_->clear();
    observations_->clear();
    for (QWidget* w : noPenaltiesPair_) w->setVisible(context_.rates.noPenaltiesMode());
  }
  SatComboChange(SearchInput::None);
  show();
  name_->setFocus();
}

void RegisterWindow::SatComboChange(SearchInput changed) {
  if (registerBusy_ > 0 || !list_.isOpen()) return;
  const ScopedBusy busy(registerBusy_);
  const QString village = list_.village(), role = list_.role();
  const SearchTexts shown = list_.search(changed, {selectedVillage(), name_->text(), role_->text()});
  if (name_->text() != shown.name) name_->setText(shown.name);
  if (role_->text() != shown.role) role_->setText(shown.role);
  if (list_.village() != village || list_.role() != role) model_->reset();
  showCurrentRow();
  GxAfterScroll();
}

void RegisterWindow::showCurrentRow() {
  const ScopedBusy busy(registerBusy_);
  if (list_.current() < 0) {
    grid_->selectionModel()->clearCurrentIndex();
    return;
  }
  const QModelIndex index = model_->index(list_.current(), 0);
  grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  grid_->scrollTo(index);
}

void RegisterWindow::GxAfterScroll() {
  const std::optional<Taxpayer> current = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  observations_->setPlainText(current ? current->observations : QString());
  total_->setText(QStringLiteral("Total gospodarii afisate: %1").arg(list_.count()));
  showTaxpayerLabels(current);
  if (registerBusy_ > 0 || !current) return;
  const ScopedBusy busy(registerBusy_);
  const int found = village_->findText(current->village);
  if (found >= 0) village_->setCurrentIndex(found);
  name_->setText(current->name);
  role_->setText(current->role);
}

void RegisterWindow::showTaxpayerLabels(const std::optional<Taxpayer>& t) {
  const auto show = [this](const QString& field, const QString& text) { labels_.value(field)->setText(text); };
  show("TIP", t ? t->type : QString());
  show("CNP", t ? t->code : QString());
  show("ADRESA", t ? t->address : QString());
  show("NOTAX", t ? yesNo(t->noPenalties) : QString());
  show("SCCLAD", t ? yesNo(t->exemptBuildings) : QString());
  show("SCCC", t ? yesNo(t->exemptYard) : QString());
  show("SCAUTO", t ? yesNo(t->exemptVehicles) : QString());
  show("SCTI", t ? yesNo(t->exemptInside) : QString());
  show("SCTE", t ? QStringLiteral("%1 lei.").arg(t->exemptOutside) : QString());
}

bool RegisterWindow::pageModified(int number) const {
  return number >= kFirstPage && number <= kLastPage && !modifiedPanels_[number - 1]->isHidden();
}

void RegisterWindow::storePage(int number) {
  page(number)->store();
  modifiedPanels_[number - 1]->setVisible(page(number)->isModified());
}

void RegisterWindow::abandonPage(int number) {
  page(number)->load(page(number)->taxpayer());
  modifiedPanels_[number - 1]->hide();
}

void RegisterWindow::syncNavigator() {
  const int active = activePage();
  const QSignalBlocker blocker(navigator_);
  navigator_->setCurrentRow(active == 0 ? kRegisterItem : active + 1);
}

void RegisterWindow::ListView1SelectItem(int item) {
  const std::optional<Taxpayer> current = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  if (!current || item == kHeadingItem || registerBusy_ > 0) {
    syncNavigator();
    return;
  }
  const int target = item == kRegisterItem ? 0 : item - 1;
  const int active = activePage();
  if (target == active) return;
  if (pageModified(active) &&
      context_.interaction->message(kStoreQuestionTitle, kStoreQuestion, Button::Da | Button::Nu,
                                    MessageKind::Warning) == Answer::Da) {
    storePage(active);
    // A page its checks refused stays on screen with the user's values.
    if (pageModified(active)) {
      syncNavigator();
      return;
    }
  }
  if (AssessmentPageWidget* shown = page(target)) {
    shown->load(current->idgos);
    modifiedPanels_[target - 1]->hide();
    if (target == 5) vehicleDetails_->setTaxpayer(current->idgos);
  }
  if (target == kYearPage) yearPage_->setTaxpayer(current);
  pages_->setCurrentIndex(target);
  // The taxpayer's own village, also when the list shows every village.
  villageHeader_->setText(current->village);
  taxpayerHeader_->setText(QStringLiteral("%1, nr.ROL: %2").arg(current->name, current->role));
  header_->setVisible(target > 0);
  syncNavigator();
}

void RegisterWindow::addVillage(const QString& village, bool save) {
  if (village_->findText(village) >= 0) return;
  {
    const ScopedBusy busy(registerBusy_);
    village_->addItem(village);
  }
  if (!context_.villages.contains(village)) context_.villages.append(village);
  if (!save) return;
  QStringList items;
  for (int i = 0; i < village_->count(); ++i) items.append(village_->itemText(i));
  try {
    writeVillageFile(context_.paths.dataDir, items);
  } catch (const StoreError& e) {
    context_.interaction->error(QStringLiteral("Lista satelor"), e.message());
  }
}

void RegisterWindow::reopenAt(const QString& village, const QString& name, std::int64_t idgos) {
  {
    const ScopedBusy busy(registerBusy_);
    try {
      list_.open(*context_.database, context_.paths.dataDir);
    } catch (const std::exception& e) {
      context_.interaction->error(QStringLiteral("Gospodarii"), sql::message(e));
    }
    village_->setCurrentIndex(village_->findText(village));
    list_.setFilter(selectedVillage(), {});
    list_.locateName(name);
    list_.locateId(idgos);
    name_->setText(name);
    const std::optional<Taxpayer> current = list_.currentTaxpayer();
    role_->setText(current ? current->role : QString());
    model_->reset();
  }
  showCurrentRow();
  GxAfterScroll();
}

void RegisterWindow::AddGospodarie() {
  editor_->PrepareForm();
  if (!selectedVillage().isEmpty()) editor_->selectVillage(selectedVillage());
  if (!editor_->OpenAs(TaxpayerEditorDialog::kAddCaption)) return;
  const Taxpayer& added = editor_->taxpayer();
  std::int64_t idgos = 0;
  try {
    SettingsFile settings(context_.paths.dataFile(SettingsFile::kFileName));
    idgos = AddTaxpayer(*context_.database, context_.paths.dataDir, settings, added, context_.rates);
  } catch (const std::exception& e) {
    context_.interaction->error(TaxpayerEditorDialog::kAddCaption, sql::message(e));
    return;
  }
  addVillage(added.village, true);
  reopenAt(added.village, added.name, idgos);
}

void RegisterWindow::LbSpeedButton3Click() {
  const std::optional<Taxpayer> before = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  if (!before) {
    context_.interaction->problem(QStringLiteral("Nu aveti ce modifica!"), grid_->objectName());
    return;
  }
  editor_->PrepareForm();
  editor_->showTaxpayer(*before);
  if (!editor_->OpenAs(TaxpayerEditorDialog::kChangeCaption)) return;
  Taxpayer after = editor_->taxpayer();
  after.idgos = before->idgos;
  try {
    modifyTaxpayer(*context_.database, context_.paths.dataDir, *before, after);
  } catch (const std::exception& e) {
    context_.interaction->error(TaxpayerEditorDialog::kChangeCaption, sql::message(e));
    return;
  }
  addVillage(after.village, false);
  reopenAt(after.village, after.name, after.idgos);
}

void RegisterWindow::AddLaPlata() {
  SettingsFile settings(sql::tablePath(context_.paths.dataDir, SettingsFile::kFileName));
  const std::optional<Taxpayer> shown = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  reg::AddLaPlata({*context_.database, context_.paths.dataDir, settings, context_.rates, *context_.interaction},
                  shown, village_->currentText());
}

void RegisterWindow::AddAllPlata(bool unattended) {
  SettingsFile settings(sql::tablePath(context_.paths.dataDir, SettingsFile::kFileName));
  QStringList villages;
  for (int i = 0; i < village_->count(); ++i) villages.append(village_->itemText(i));
  const std::optional<Taxpayer> current = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  const auto summary = reg::AddAllPlata(
      {*context_.database, context_.paths.dataDir, settings, context_.rates, *context_.interaction},
      villages.isEmpty() ? context_.villages : villages, unattended);
  if (summary && current) reopenAt(selectedVillage(), current->name, current->idgos);
}

void RegisterWindow::StartAutoAddTimer() {
  if (!autoAddTimer_) {
    autoAddTimer_ = new QTimer(this);
    autoAddTimer_->setObjectName("AutoAddTimer");
    autoAddTimer_->setInterval(3000);
    connect(autoAddTimer_, &QTimer::timeout, this, [this] {
      autoAddTimer_->stop();
      AddAllPlata(true);
      done(QDialog::Accepted);
    });
  }
  autoAddTimer_->start();
}

void RegisterWindow::LbSpeedButton4Click() {
  const std::optional<Taxpayer> doomed = list_.isOpen() ? list_.currentTaxpayer() : std::nullopt;
  if (!doomed) {
    context_.interaction->problem(QStringLiteral("Nu aveti ce sterge!"), grid_->objectName());
    return;
  }
  if (!confirmDeletion(*doomed, *context_.interaction)) return;
  const int row = list_.current();
  const int neighbour = row > 0 ? row - 1 : row + 1;
  const std::int64_t remembered = neighbour < list_.count() ? list_.idgos(neighbour) : 0;
  try {
    deleteTaxpayer(*context_.database, context_.paths.dataDir, doomed->idgos, *context_.interaction);
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Stergere gospodarie"), sql::message(e));
    return;
  }
  {
    const ScopedBusy busy(registerBusy_);
    try {
      list_.open(*context_.database, context_.paths.dataDir);
    } catch (const std::exception& e) {
      context_.interaction->error(QStringLiteral("Gospodarii"), sql::message(e));
    }
    name_->clear();
    list_.locateId(remembered);
    const std::optional<Taxpayer> current = list_.currentTaxpayer();
    role_->setText(current ? current->role : QString());
    model_->reset();
  }
  showCurrentRow();
  GxAfterScroll();
}

void RegisterWindow::done(int result) {
  // FormClose: a page edited and not stored is offered for storing first.
  const int active = activePage();
  if (list_.isOpen() && list_.currentTaxpayer() && pageModified(active) &&
      !RegisterLocked(context_.paths.dataDir) &&
      context_.interaction->message(kStoreQuestionTitle, kStoreQuestion, Button::Da | Button::Nu,
                                    MessageKind::Warning) == Answer::Da) {
    storePage(active);
    if (pageModified(active)) return;  // refused: the user's values stay on screen
  }
  list_.close();
  model_->reset();
  QDialog::done(result);
}

}  // namespace dajdor::reg
