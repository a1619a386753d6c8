#include "collect/collections_window.h"

#include "collect/debt_details_dialog.h"
#include "collect/grid_caption_widget.h"
#include "collect/locked_year.h"
#include "collect/operation_window.h"
#include "collect/payment_without_debt_window.h"
#include "collect/receipt_history_window.h"
#include "collect/taxpayer_search.h"
#include "collect/work_table_grid_widget.h"
#include "register/fine_dialog.h"
#include "register/vehicle_details_widget.h"
#include "report/report_preview_dialog.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "store/version.h"
#include "widgets/gradient_panel_widget.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {
namespace {

const QString kTitle = QStringLiteral("Incasari");

QLabel* valueLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

CollectionsWindow::CollectionsWindow(AppContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ownPresenter_(std::make_unique<report::DesktopReportPresenter>(this)),
      presenter_(ownPresenter_.get()) {
  setObjectName("TGospodarieF");
  setWindowTitle(kTitle);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(buildHeader());
  auto* body = new QHBoxLayout;
  body->addWidget(buildGrids(), 1);
  body->addWidget(buildButtons());
  layout->addLayout(body, 1);
  resize(1340, 720);
}

CollectionsWindow::~CollectionsWindow() = default;

QWidget* CollectionsWindow::buildHeader() {
  auto* panel = new GradientPanel(this);
  panel->setColours(QColor("#ECF1F9"), QColor("#B7C9E6"));
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(8, 6, 8, 6);
  const auto caption = [&](const QString& text, int row, int column) {
    grid->addWidget(new QLabel(text, panel), row, column, Qt::AlignRight);
  };
  name_ = valueLabel(panel, "NUMEP");
  rol_ = valueLabel(panel, "ROL");
  code_ = valueLabel(panel, "CNP");
  personType_ = valueLabel(panel, "TIP");
  address_ = valueLabel(panel, "ADRESA");
  locality_ = valueLabel(panel, "Localitate");
  caption("Nume:", 0, 0);
  grid->addWidget(name_, 0, 1);
  caption("ROL:", 0, 2);
  grid->addWidget(rol_, 0, 3);
  caption("CNP / CUI:", 1, 0);
  grid->addWidget(code_, 1, 1);
  caption("Persoana:", 1, 2);
  grid->addWidget(personType_, 1, 3);
  caption("Adresa:", 2, 0);
  grid->addWidget(address_, 2, 1);
  caption("Localitatea:", 2, 2);
  grid->addWidget(locality_, 2, 3);

  remarks_ = new QPlainTextEdit(panel);
  remarks_->setObjectName("OBS");
  remarks_->setReadOnly(true);
  remarks_->setMaximumHeight(64);
  remarks_->setPlaceholderText("Observatii");
  grid->addWidget(remarks_, 0, 4, 3, 1);

  auto* exemptions = new QGroupBox("Scutiri", panel);
  auto* marks = new QGridLayout(exemptions);
  marks->setContentsMargins(6, 2, 6, 2);
  const QStringList names = {"SCCLAD", "SCCC", "SCAUTO", "SCTI", "SCTE"};
  const QStringList texts = {"Cladiri", "Curti-Con.", "Auto", "Teren intrav.", "Teren extrav."};
  for (int i = 0; i < names.size(); ++i) {
    auto* mark = new QCheckBox(texts[i], exemptions);
    mark->setObjectName(names[i]);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->setFocusPolicy(Qt::NoFocus);
    marks->addWidget(mark, i / 3, i % 3);
    exemptions_.append(mark);
  }
  grid->addWidget(exemptions, 0, 5, 3, 1);

  auto* dateBox = new QVBoxLayout;
  dateBox->addWidget(new QLabel("DATA CALCULARII", panel));
  date_ = new QDateEdit(panel);
  date_->setObjectName("LaData");
  date_->setCalendarPopup(true);
  date_->setDisplayFormat("dd.MM.yyyy");
  dateBox->addWidget(date_);
  auto* penalties = new QHBoxLayout;
  noPenaltiesCaption_ = new QLabel("Fara majorari", panel);
  noPenalties_ = valueLabel(panel, "NOTAX");
  penalties->addWidget(noPenaltiesCaption_);
  penalties->addWidget(noPenalties_);
  dateBox->addLayout(penalties);
  grid->addLayout(dateBox, 0, 6, 3, 1);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(4, 2);
  connect(date_, &QDateEdit::dateChanged, this, [this] {
    if (!busy_) CalcOm();
  });
  return panel;
}

QWidget* CollectionsWindow::buildGrids() {
  auto* area = new QWidget(this);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  const QStringList captions = {" IMPOZITE", " TAXE / AMENZI", " DEBITE IN TIMPUL ANULUI"};
  const QStringList names = {"SMDBGrid2", "SMDBGrid1", "SMDBGrid3"};
  for (WorkTable t : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits}) {
    layout->addWidget(gridCaption(captions[int(t)], area));
    // The grids are made with the window; the sheet they show comes with the taxpayer.
    grids_[int(t)] = nullptr;
    auto* holder = new QWidget(area);
    holder->setObjectName(names[int(t)] + "Holder");
    new QVBoxLayout(holder);
    holder->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(holder, t == WorkTable::Taxes ? 3 : 2);
  }
  auto* sums = new QHBoxLayout;
  sums->addWidget(new QLabel("Total datorie:", area));
  total_ = valueLabel(area, "TotalDatorie");
  total_->setStyleSheet("QLabel { color: #A00000; font-size: 15pt; }");
  sums->addWidget(total_);
  sums->addStretch(1);
  sums->addWidget(new QLabel("Valoare chitanta:", area));
  receiptValue_ = valueLabel(area, "ValoareChitanta");
  receiptValue_->setStyleSheet("QLabel { color: #000093; font-size: 15pt; }");
  sums->addWidget(receiptValue_);
  for (QLabel* sum : {total_, receiptValue_}) sum->setMinimumWidth(110);
  sums->setContentsMargins(0, 2, 8, 0);
  layout->addLayout(sums);
  return area;
}

QPushButton* CollectionsWindow::addButton(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setMinimumHeight(30);
  parent->layout()->addWidget(button);
  return button;
}

QWidget* CollectionsWindow::buildButtons() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  column->setFixedWidth(190);
  operate_ = addButton("&OPEREAZA", "OperBut", column);
  withoutDebt_ = addButton("FARA DEBIT", "FaraDebit", column);
  withoutDebt_->setToolTip("Incasari / Plati de la persoane din afara comunei.");
  QPushButton* historyWithoutDebt = addButton("Istoric chitante fara debit", "IstoricFaraDebit", column);
  QPushButton* history = addButton("&Istoric chitante", "IstoricChitante", column);
  QPushButton* details = addButton("&Detalii debite", "DetaliiDebite", column);
  addButton("Pagina de &ROL", "PaginaRol", column)->setEnabled(false);
  QPushButton* vehicles = addButton("Detalii auto", "DetaliiAuto", column);
  addTax_ = addButton("Adauga o taxa/amenda", "AdaugaTaxa", column);
  certificate_ = addButton("Certificat Fiscal", "CertificatFiscal", column);
  enforcement_ = addButton("Executare silita", "ExecutareSilita", column);
  auto* menu = new QMenu(enforcement_);
  for (const char* entry : {"Somatie / Titlu executoriu", "Poprire catre Banca", "Poprire catre Angajator"})
    menu->addAction(entry)->setEnabled(false);
  enforcement_->setMenu(menu);
  layout->addStretch(1);
  addButton("&Inchide", "Inchide", column);
  connect(operate_, &QPushButton::clicked, this, &CollectionsWindow::OperButClick);
  connect(withoutDebt_, &QPushButton::clicked, this, &CollectionsWindow::openWithoutDebt);
  connect(history, &QPushButton::clicked, this, &CollectionsWindow::openHistory);
  connect(historyWithoutDebt, &QPushButton::clicked, this, &CollectionsWindow::openHistoryWithoutDebt);
  connect(details, &QPushButton::clicked, this, &CollectionsWindow::openDebtDetails);
  connect(vehicles, &QPushButton::clicked, this, [this] {
    if (!header_) return;
    reg::VehicleDetailsViewerDialog viewer(context_, header_->IDGOS, this);
    viewer.exec();
  });
  connect(addTax_, &QPushButton::clicked, this, [this] {
    if (header_ && reg::addFineFromDialog(context_, {header_->IDGOS, header_->SATUL, header_->ROL}, this)) CalcOm();
  });
  connect(column->findChild<QPushButton*>("Inchide"), &QPushButton::clicked, this, &QDialog::reject);
  // Their windows come with the documents and enforcement work.
  for (QPushButton* later : {certificate_, enforcement_}) later->setEnabled(false);
  return column;
}

void CollectionsWindow::applyLockedYear() {
  const CollectionActions actions = collectionActions(context_.rates, kWorkYear);
  operate_->setVisible(actions.operateShown);
  withoutDebt_->setVisible(actions.withoutDebtShown);
  addTax_->setVisible(actions.addTaxShown);
  if (!actions.enforcementEnabled) enforcement_->setEnabled(false);
  if (!actions.certificateEnabled) certificate_->setEnabled(false);
}

bool CollectionsWindow::openFor(std::int64_t IDGOS, const QString& locality) {
  try {
    header_ = readTaxpayerHeader(*context_.database, context_.paths.dataDir, IDGOS);
    sheet_ = std::make_unique<CollectionSheet>(
        BalanceSource{*context_.database, context_.paths.dataDir, context_.rates, kWorkYear}, context_.paths.appDir);
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
    sheet_.reset();
    return false;
  }
  const QStringList names = {"SMDBGrid2", "SMDBGrid1", "SMDBGrid3"};
  for (WorkTable t : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits}) {
    auto* holder = findChild<QWidget*>(names[int(t)] + "Holder");
    delete grids_[int(t)];
    grids_[int(t)] = new WorkTableGrid(*sheet_, t, holder);
    grids_[int(t)]->setObjectName(names[int(t)]);
    holder->layout()->addWidget(grids_[int(t)]);
    connect(grids_[int(t)]->workModel(), &WorkTableModel::paidChanged, this, &CollectionsWindow::showReceiptValue);
  }
  locality_->setText(locality.trimmed() == kAnyVillage.trimmed() ? QString() : locality);
  showHeader();
  applyLockedYear();
  busy_ = true;
  date_->setDate(context_.clock.today());
  busy_ = false;
  CalcOm();
  return true;
}

void CollectionsWindow::showFor(std::int64_t IDGOS, const QString& locality) {
  if (openFor(IDGOS, locality)) exec();
}

void CollectionsWindow::showHeader() {
  const TaxpayerHeader h = header_.value_or(TaxpayerHeader{});
  name_->setText(h.NUMEP);
  rol_->setText(h.ROL);
  code_->setText(h.CNP);
  personType_->setText(h.naturalPerson() ? "FIZICA" : (h.TIP.isEmpty() ? QString() : "JURIDICA"));
  address_->setText(h.ADRESA);
  remarks_->setPlainText(h.OBS);
  const QStringList marks = {h.SCCLAD, h.SCCC, h.SCAUTO, h.SCTI};
  for (int i = 0; i < marks.size(); ++i) exemptions_[i]->setChecked(marks[i].trimmed() == "DA");
  exemptions_[4]->setChecked(h.SCTE != 0);
  exemptions_[4]->setText(h.SCTE != 0 ? QString("Teren extrav. %1 lei").arg(h.SCTE) : QString("Teren extrav."));
  const bool mode = context_.rates.noPenaltiesMode();
  noPenaltiesCaption_->setVisible(mode);
  noPenalties_->setVisible(mode);
  noPenalties_->setText(h.NOTAX);
}

void CollectionsWindow::CalcOm() {
  if (!sheet_) return;
  total_->setText("0");
  try {
    if (header_) {
      // Fresh from the stored tables, also the reductions already granted.
      header_ = readTaxpayerHeader(*context_.database, context_.paths.dataDir, header_->IDGOS).value_or(*header_);
      sheet_->BuildBalance(penaltiesWaived(context_.rates, header_->NOTAX), date_->date(), header_->naturalPerson(),
                           header_->IDGOS);
    } else {
      sheet_->clear();
    }
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
    sheet_->clear();
  }
  refreshGrids();
  total_->setText(QString::number(sheet_->balance().total));
  showReceiptValue();
}

void CollectionsWindow::refreshGrids() {
  for (WorkTable t : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits}) {
    WorkTableGrid* g = grids_[int(t)];
    g->workModel()->reload();
    g->setEnabled(sheet_->rowCount(t) > 0);
    if (sheet_->rowCount(t) > 0) g->setCurrentIndex(g->model()->index(0, g->workModel()->columnOf("ACHITAT")));
  }
}

void CollectionsWindow::showReceiptValue() {
  receiptValue_->setText(sheet_ ? QString::number(sheet_->receiptValue()) : QString("0"));
}

QString CollectionsWindow::totalText() const { return total_->text(); }
QString CollectionsWindow::receiptValueText() const { return receiptValue_->text(); }

void CollectionsWindow::openDebtDetails() {
  if (!header_) return;
  DebtDetailsDialog dialog(context_, this);
  dialog.showFor(header_->NUMEP + " - detalii debite", header_->IDGOS);
}

void CollectionsWindow::setReportPresenter(report::ReportPresenter* presenter) {
  presenter_ = presenter ? presenter : ownPresenter_.get();
}

void CollectionsWindow::OperButClick() {
  if (!sheet_ || !header_) return;
  const OperationInput input{sheet_->balance(), *header_, date_->date(),
                             penaltiesWaived(context_.rates, header_->NOTAX)};
  if (OperationWindow::OperButClick(context_, input, *presenter_, this)) CalcOm();
}

void CollectionsWindow::openWithoutDebt() { PaymentWithoutDebtWindow::run(context_, *presenter_, this); }

void CollectionsWindow::openHistory() {
  if (!header_) return;
  ReceiptHistoryWindow history(context_, *presenter_, this);
  if (history.Open(header_->NUMEP + " - Istoric chitante.", {header_->IDGOS}, !context_.user.isRestrictedUser()))
    CalcOm();
}

void CollectionsWindow::openHistoryWithoutDebt() {
  ReceiptHistoryWindow history(context_, *presenter_, this);
  history.Open("FARA DEBIT - Istoric chitante.", {}, !context_.user.isRestrictedUser());
}

void CollectionsWindow::done(int result) {
  for (WorkTableGrid* g : grids_) {
    if (!g) continue;
    g->closePersistentEditor(g->currentIndex());
    delete g;
  }
  for (WorkTableGrid*& g : grids_) g = nullptr;
  sheet_.reset();  // the work tables go with the window
  QDialog::done(result);
}

}  // namespace dajdor::collect
