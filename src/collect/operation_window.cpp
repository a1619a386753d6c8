#include "collect/operation_window.h"

#include "collect/budget_accounts_window.h"
#include "collect/command_button_widget.h"
#include "collect/document_heading_widget.h"
#include "collect/line_amounts_dialog.h"
#include "collect/payment_commit.h"
#include "collect/problem_report.h"
#include "collect/receipt_line_cells.h"
#include "collect/receipt_output.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid_widget.h"
#include "widgets/upper_case_input.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {
namespace {

const QString kTitle = QStringLiteral("Operare");

QLineEdit* shownValue(const QString& name, QWidget* parent) {
  auto* value = new QLineEdit(parent);
  value->setObjectName(name);
  showReadOnly(value, true);
  return value;
}

QVariantList cells(const DocumentLine& line) {
  const LineAmounts& a = line.amounts;
  return {lineName(line.GRUPA, line.DENUM),
          line.DOCJUS,
          line.CODCLAS,
          qlonglong(a.RESTANTA),
          qlonglong(a.MAJOREST),
          qlonglong(a.DEPOZIT),
          qlonglong(a.CURENT),
          qlonglong(a.MAJOR),
          qlonglong(a.REDUCERE),
          qlonglong(line.TOTAL)};
}

}  // namespace

void printStored(PaymentContext& payment, const CommittedDocument& document, const QString& pdfDir,
                 report::ReportPresenter& presenter, Interaction& ui) {
  if (!document.printed()) return;
  // The document is stored whatever becomes of its print; it can be printed again from the history.
  try {
    PrintReceipt(payment, document.IDCHIT, pdfDir, presenter, ui);
  } catch (const std::exception& e) {
    ui.error("Listare chitanta", sql::message(e));
  }
}

OperationWindow::OperationWindow(AppContext& context, PaymentContext& payment, QWidget* parent)
    : QDialog(parent), context_(context), payment_(payment) {
  setObjectName("TChitantaF");
  setWindowTitle(kTitle);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(buildHeader());
  grid_ = new RecordGrid({{"Denumirea creantei"},
                          {"Doc. jus."},
                          {"Cod clasificare"},
                          {"Ramasita", "Restanta"},
                          {"Majorari", "Restanta"},
                          {"Sold"},
                          {"Curent", "Curent"},
                          {"Majorari", "Curent"},
                          {"Reduc."},
                          {"TOTAL"}},
                         this);
  grid_->setObjectName(kLinesField);
  grid_->stretchColumn(0);
  layout->addWidget(grid_, 1);
  layout->addWidget(buildButtons());
  amountsDialog_ = new LineAmountsDialog(*context_.interaction, this);
  connect(grid_, &RecordGrid::recordActivated, this, &OperationWindow::adjustLine);
  auto* enter = new EnterNavigation(this);
  enter->setAfterLast(grid_);
  resize(1100, 520);
}

OperationWindow::~OperationWindow() = default;

QWidget* OperationWindow::buildHeader() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(4, 4, 4, 4);
  type_ = new QComboBox(panel);
  type_->setObjectName(kDocumentTypeField);
  type_->setMinimumWidth(type_->fontMetrics().horizontalAdvance(kTypeAccountingNote) + 40);
  const DocumentHeading document = documentHeading({type_}, panel);
  series_ = document.series;
  number_ = document.number;
  date_ = document.date;
  grid->addLayout(document.row, 0, 0, 1, 4);

  holder_ = shownValue("Titular", panel);
  village_ = shownValue("Localitatea", panel);
  address_ = shownValue("Adresa", panel);
  rol_ = shownValue("ROL", panel);
  code_ = shownValue("CNP", panel);
  payer_ = new QLineEdit(panel);
  payer_->setObjectName(kPayerField);
  payer_->setMaxLength(40);
  keepUpperCase(payer_);
  addCaptionedPairs(grid, 1,
                    {{"Titular", holder_},
                     {"Localitatea", village_},
                     {"Adresa", address_},
                     {"Nr.unic ROL", rol_},
                     {"Cine plateste", payer_},
                     {"C.N.P./C.U.I.", code_}});
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 2);
  connect(type_, &QComboBox::currentTextChanged, this, [this] { showType(); });
  return panel;
}

QWidget* OperationWindow::buildButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 4, 0, 0);
  const auto button = [&](const QString& text, const QString& name) {
    return commandButton(text, name, layout, row);
  };
  QPushButton* operate = button("&OPEREAZA", "Opereaza");
  QPushButton* cancel = button("&Renunt", "Renunt");
  QPushButton* details = button("Detalii / &Modificari", "Detalii");
  QPushButton* codes = button("Coduri clasificare", "CoduriClasificare");
  layout->addStretch(1);
  auto* caption = new QLabel("TOTAL:", row);
  total_ = new QLabel(row);
  total_->setObjectName("ValoareChitanta");
  total_->setToolTip("Valoare chitanta");
  for (QLabel* label : {caption, total_}) label->setStyleSheet("QLabel { color: #000093; font-size: 15pt; font-weight: bold; }");
  total_->setMinimumWidth(110);
  total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(caption);
  layout->addWidget(total_);
  connect(operate, &QPushButton::clicked, this, [this] { this->operate(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(details, &QPushButton::clicked, this, &OperationWindow::adjustLine);
  connect(codes, &QPushButton::clicked, this, &OperationWindow::editBudgetCodes);
  return row;
}

void OperationWindow::load(PreparedOperation& operation) {
  operation_ = &operation;
  const OperationHeader& h = operation.header;
  const TaxpayerHeader& t = operation.taxpayer;
  accounts_ = readBudgetAccounts(payment_, *context_.interaction, kTitle).value_or(BudgetAccounts{});
  typedNumber_.clear();
  type_->blockSignals(true);
  type_->clear();
  type_->addItems(h.types);
  type_->setCurrentIndex(0);
  type_->blockSignals(false);
  series_->setText(h.series);
  date_->setDate(h.documentDate);
  holder_->setText(t.NUMEP);
  village_->setText(t.SATUL);
  address_->setText(t.ADRESA);
  rol_->setText(t.ROL);
  code_->setText(t.CNP);
  payer_->setText(h.defaultPayer);
  payer_->setEnabled(h.payerEnabled);
  total_->setText(QString::number(h.total));
  showType();
  showLines(0);
  QWidget* first = type_;
  if (!number_->isReadOnly()) first = number_;
  else if (payer_->isEnabled()) first = payer_;
  first->setFocus();
}

std::optional<OperationChoice> OperationWindow::confirm(PreparedOperation& operation) {
  load(operation);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return choice();
}

void OperationWindow::showType() {
  if (!operation_) return;
  if (!number_->isReadOnly()) typedNumber_ = number_->text();
  const NumberField field = numberFieldFor(operation_->header, type_->currentText(), typedNumber_);
  number_->setText(field.text);
  showReadOnly(number_, !field.editable);
}

void OperationWindow::showLines(int select) {
  QList<QVariantList> rows;
  for (const DocumentLine& line : operation_->lines) rows.append(cells(line));
  grid_->setRecords(rows, select);
}

OperationChoice OperationWindow::choice() const {
  return {type_->currentText(), number_->text(), date_->date(), payer_->text()};
}

QString OperationWindow::totalText() const { return total_->text(); }

bool OperationWindow::operate() {
  if (!operation_) return false;
  try {
    if (const auto problem = checkOperation(payment_, *operation_, choice(), context_.interaction)) {
      report(*context_.interaction, *problem);
      return false;
    }
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
    return false;
  }
  accept();
  return true;
}

void OperationWindow::adjustLine() {
  if (!operation_) return;
  const int index = grid_->currentRecord();
  if (const auto refusal = adjustmentRefusal(operation_->lines, index, accounts_)) {
    report(*context_.interaction, *refusal);
    return;
  }
  const DocumentLine line = operation_->lines[index];
  if (const auto amounts = amountsDialog_->edit(line)) {
    applyAdjustment(operation_->lines, line.GRUPA, *amounts);
    showLines(index);
  }
}

void OperationWindow::editBudgetCodes() {
  if (!operation_) return;
  const auto accounts = collect::editBudgetCodes(payment_, *context_.interaction, kTitle, this);
  if (!accounts) return;
  accounts_ = *accounts;
  refreshAccounts(operation_->lines, accounts_, operation_->naturalPerson());
  showLines(grid_->currentRecord());
}

bool OperationWindow::OperButClick(AppContext& context, const OperationInput& input,
                                   report::ReportPresenter& presenter, QWidget* parent) {
  Interaction& ui = *context.interaction;
  if (!context.database) return false;  // no data directory, nothing to store into
  PaymentContext payment = PaymentContext::of(context);
  try {
    auto prepared = prepareOperation(payment, input);
    if (const auto* refusal = std::get_if<Problem>(&prepared)) {
      report(ui, *refusal);
      return false;
    }
    auto& operation = std::get<PreparedOperation>(prepared);
    if (operation.hasNoLines()) {
      report(ui, noLinesProblem());
      return false;
    }
    OperationWindow window(context, payment, parent);
    const auto choice = window.confirm(operation);
    if (!choice) return false;
    payment.now = context.clock.now();  // the confirmation, not the opening of the window
    auto stored = commitPayment(payment, operation, *choice);
    if (const auto* refusal = std::get_if<Problem>(&stored)) {
      report(ui, *refusal);
      return false;
    }
    printStored(payment, std::get<CommittedDocument>(stored), context.paths.appDir, presenter, ui);
    return true;
  } catch (const std::exception& e) {
    ui.error(kTitle, sql::message(e));
    return false;
  }
}

}  // namespace dajdor::collect
