#include "cash/cash_register_window.h"

#include "cash/cash_listings.h"
#include "cash/cash_movement_dialog.h"
#include "cash/period_dialog.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/bold_label.h"
#include "widgets/date_time_typing.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::cash {
namespace {

const QString kTitle = QStringLiteral("Registru de Casa");
enum Column { DocumentColumn, PaidColumn, ReceivedColumn, CashierColumn };

QTableWidgetItem* cell(const QString& text, bool amount) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QLabel* figure(const QString& name, QWidget* parent) {
  QLabel* label = boldLabel(QString(), 1, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

CashRegisterWindow::CashRegisterWindow(AppContext& context, SettingsFile& settings, PeriodDialog& period, Opener open,
                                       QWidget* parent)
    : QDialog(parent), context_(context), settings_(settings), period_(period), open_(std::move(open)) {
  setObjectName("TFRegCasa");
  setWindowTitle("Dajdor");
  setModal(true);
  QLabel* heading = boldLabel("Registrul de casa", 5, this);
  heading->setAlignment(Qt::AlignCenter);

  day_ = new QDateEdit(this);
  day_->setObjectName("DinData");
  day_->setDisplayFormat("dd.MM.yyyy");
  day_->setCalendarPopup(true);
  letDigitsOverwriteSections(day_);
  cashier_ = new QComboBox(this);
  cashier_->setObjectName("Operator");
  cashier_->setMinimumWidth(cashier_->fontMetrics().averageCharWidth() * 34);
  connect(day_, &QDateEdit::dateChanged, this, &CashRegisterWindow::Filtru);
  connect(cashier_, &QComboBox::currentIndexChanged, this, &CashRegisterWindow::Filtru);
  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel("Din data", this));
  choice->addWidget(day_);
  choice->addSpacing(24);
  choice->addWidget(new QLabel("Operator", this));
  choice->addWidget(cashier_);
  choice->addStretch();
  previous_ = figure("SoldPrecedent", this);
  choice->addWidget(previous_);

  grid_ = new QTableWidget(0, 4, this);
  grid_->setObjectName("Grid");
  grid_->setHorizontalHeaderLabels({"Document justificativ", "Platit", "Incasat", "Operator"});
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(DocumentColumn, QHeaderView::Stretch);
  for (int c : {PaidColumn, ReceivedColumn}) grid_->setColumnWidth(c, 110);
  grid_->setColumnWidth(CashierColumn, 200);
  grid_->installEventFilter(this);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { modify(); });

  auto* totals = new QHBoxLayout;
  received_ = figure("TotalIncasat", this);
  paid_ = figure("TotalPlatit", this);
  carried_ = figure("DeReportat", this);
  totals->addWidget(received_);
  totals->addSpacing(24);
  totals->addWidget(paid_);
  totals->addStretch();
  totals->addWidget(carried_);

  auto* edits = new QHBoxLayout;
  edits->addWidget(button("Adauga", "Adauga incasare/plata", &CashRegisterWindow::add));
  edits->addWidget(button("Modifica", "Modifica incasare/plata", &CashRegisterWindow::modify));
  edits->addWidget(button("Sterge", "Sterge incasare/plata", &CashRegisterWindow::remove));
  edits->addStretch();
  edits->addWidget(button("ListeazaRegistru", "Listeaza Registru de casa", &CashRegisterWindow::listRegister));
  edits->addWidget(button("ListaPlati", "Lista plati", &CashRegisterWindow::listPayments));

  // The period reports come with their own issue; until then they are shown, disabled.
  auto* reports = new QGroupBox("  Centralizatoare  ", this);
  reports->setObjectName("Centralizatoare");
  auto* reportButtons = new QGridLayout(reports);
  const QStringList names = {"BorderouNume", "GrupNrCont", "GrNrChit", "ContIncasTot", "ConturiTotaluri",
                             "IncasariRamasite"};
  const QStringList captions = {"Incasari - Denumire Cont", "Chitante - Numar Cont", "Chitante - Incasator",
                                "Conturi - Incasatori total", "Conturi - Totaluri", "Incasari Ramasite"};
  for (int i = 0; i < names.size(); ++i) {
    auto* report = new QPushButton(captions[i], reports);
    report->setObjectName(names[i]);
    report->setEnabled(false);
    reportButtons->addWidget(report, i / 3, i % 3);
  }

  auto* closing = new QHBoxLayout;
  closing->addStretch();
  QPushButton* close = button("Inchide", "Inchide", nullptr);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  closing->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(choice);
  layout->addWidget(grid_, 1);
  layout->addLayout(totals);
  layout->addLayout(edits);
  layout->addWidget(reports);
  layout->addLayout(closing);
  resize(860, 600);

  movementDialog_ = new CashMovementDialog(*context_.interaction, this);
}

CashRegisterWindow::~CashRegisterWindow() = default;

QPushButton* CashRegisterWindow::button(const QString& name, const QString& text, void (CashRegisterWindow::*slot)()) {
  auto* b = new QPushButton(text, this);
  b->setObjectName(name);
  b->setAutoDefault(false);
  if (slot) connect(b, &QPushButton::clicked, this, slot);
  return b;
}

bool CashRegisterWindow::openRegister() {
  Interaction& interaction = *context_.interaction;
  if (!context_.database) return false;
  auto cashRegister = std::make_unique<CashRegister>(*context_.database, context_.paths.dataDir);
  interaction.progressStart("Centralizez chitantele...", 1);
  try {
    cashRegister->load();
  } catch (const std::exception& e) {
    interaction.progressEnd();
    interaction.error(kTitle, sql::message(e));
    return false;
  }
  interaction.progressEnd();
  register_ = std::move(cashRegister);
  filling_ = true;
  cashier_->clear();
  cashier_->addItem(kAnyCashier);
  cashier_->addItems(register_->cashiers());
  day_->setDate(context_.clock.today());
  filling_ = false;
  Filtru();
  return true;
}

void CashRegisterWindow::showRegister() {
  if (openRegister()) exec();
  register_.reset();
}

void CashRegisterWindow::Filtru() {
  if (filling_ || !register_) return;
  const std::int64_t selected = selectedRow() ? selectedRow()->IDRC : 0;
  view_ = register_->Filtru(day_->date(), cashier_->currentText());
  grid_->setRowCount(static_cast<int>(view_.rows.size()));
  for (int r = 0; r < view_.rows.size(); ++r) {
    const CashRow& row = view_.rows[r];
    grid_->setItem(r, DocumentColumn, cell(row.DOCJUS, false));
    grid_->setItem(r, PaidColumn, cell(QString::number(row.PLATIT), true));
    grid_->setItem(r, ReceivedColumn, cell(QString::number(row.INCASAT), true));
    grid_->setItem(r, CashierColumn, cell(row.INCANUME, false));
  }
  previous_->setText("Sold precedent : " + QString::number(view_.previousBalance));
  received_->setText("Total incasat : " + QString::number(view_.totalReceived));
  paid_->setText("Total platit : " + QString::number(view_.totalPaid));
  carried_->setText("De reportat : " + QString::number(view_.carriedForward()));
  selectMovement(selected);
}

void CashRegisterWindow::selectMovement(std::int64_t idrc) {
  int row = view_.rows.isEmpty() ? -1 : 0;
  for (int r = 0; r < view_.rows.size(); ++r)
    if (idrc > 0 && view_.rows[r].IDRC == idrc) row = r;
  if (row >= 0) grid_->selectRow(row);
}

const CashRow* CashRegisterWindow::selectedRow() const {
  const int row = grid_->currentRow();
  if (row < 0 || row >= view_.rows.size() || grid_->selectedItems().isEmpty()) return nullptr;
  return &view_.rows[row];
}

void CashRegisterWindow::add() {
  if (!register_) return;
  const auto typed = movementDialog_->ask("Adaugare Operatiune", {context_.clock.today(), QString(), false, 0},
                                          register_->documentTexts());
  if (!typed) return;
  CashMovements movements(*register_, settings_, *context_.interaction);
  if (const std::int64_t id = movements.add(*typed, context_.user.name)) {
    Filtru();
    selectMovement(id);
  }
}

void CashRegisterWindow::modify() {
  if (!register_) return;
  const CashRow* row = selectedRow();
  if (!mayEdit(Edit::Change, context_.user, row, *context_.interaction)) return;
  const std::int64_t id = row->IDRC;
  const auto typed =
      movementDialog_->ask("Modificare Operatiune", movementOf(*row, day_->date()), register_->documentTexts());
  if (!typed) return;
  CashMovements movements(*register_, settings_, *context_.interaction);
  if (movements.change(id, *typed)) {
    Filtru();
    selectMovement(id);
  }
}

void CashRegisterWindow::remove() {
  if (!register_) return;
  const CashRow* row = selectedRow();
  if (!mayEdit(Edit::Delete, context_.user, row, *context_.interaction)) return;
  CashMovements movements(*register_, settings_, *context_.interaction);
  if (movements.remove(CashRow(*row))) Filtru();
}

void CashRegisterWindow::listRegister() {
  if (!register_) return;
  TemplateExport xls(*context_.interaction);
  if (writeRegisterWorkbook(xls, templateIn(context_.paths.dataDir, kRegisterTemplate),
                   {context_.rates.text("PrimariaLab"), context_.rates.text("ContabilLab")}, day_->date(),
                   cashier_->currentText(), view_))
    xls.FinishWorkbook(context_.paths.appDir, open_);
}

void CashRegisterWindow::listPayments() {
  if (!register_ || !context_.database) return;
  const auto chosen = period_.ask(false);
  if (!chosen) return;
  TemplateExport xls(*context_.interaction);
  try {
    if (writePaymentsWorkbook(xls, templateIn(context_.paths.dataDir, kPaymentsTemplate), *context_.database,
                     context_.paths.dataDir, chosen->first, chosen->last, cashier_->currentText(), context_.user))
      xls.FinishWorkbook(context_.paths.appDir, open_);
  } catch (const std::exception& e) {
    context_.interaction->error("Lista plati", sql::message(e));
  }
}

bool CashRegisterWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      add();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dajdor::cash
