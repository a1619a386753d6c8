#include "collect/payment_without_debt_window.h"

#include "collect/budget_accounts_window.h"
#include "collect/command_button_widget.h"
#include "collect/document_heading_widget.h"
#include "collect/operation_window.h"
#include "collect/problem_report.h"
#include "register/cnp_edit_widget.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/enter_navigation.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid_widget.h"
#include "widgets/upper_case_input.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {
namespace {

const QString kTitle = QStringLiteral("Operatiuni fara debit");
const QString kIncasare = QStringLiteral("INCASARE");
const QString kPlata = QStringLiteral("PLATA");

QLineEdit* textInput(const QString& name, int length, QWidget* parent) {
  auto* input = new QLineEdit(parent);
  input->setObjectName(name);
  input->setMaxLength(length);
  return input;
}

}  // namespace

PaymentWithoutDebtWindow::PaymentWithoutDebtWindow(AppContext& context, PaymentContext& payment, QWidget* parent)
    : QDialog(parent), context_(context), payment_(payment) {
  setObjectName("TFFaraDebit");
  setWindowTitle(kTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildHeader());
  layout->addWidget(buildLineEntry());
  grid_ = new RecordGrid({{"Contul"}, {"Detalii"}, {"Suma"}}, this);
  grid_->setObjectName(kWithoutDebtLinesField);
  grid_->stretchColumn(1);
  layout->addWidget(grid_, 1);
  auto* bottom = new QHBoxLayout;
  QPushButton* operate = commandButton("&Opereaza", "Opereaza", nullptr, this);
  QPushButton* cancel = commandButton("&Renunt", "Renunt", nullptr, this);
  bottom->addWidget(operate);
  bottom->addWidget(cancel);
  bottom->addStretch(1);
  auto* caption = new QLabel("TOTAL", this);
  total_ = new QLabel("0", this);
  total_->setObjectName("Total");
  total_->setMinimumWidth(100);
  total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLabel* label : {caption, total_})
    label->setStyleSheet("QLabel { color: #000093; font-size: 15pt; font-weight: bold; }");
  bottom->addWidget(caption);
  bottom->addWidget(total_);
  bottom->addWidget(new QLabel("LEI", this));
  layout->addLayout(bottom);
  connect(operate, &QPushButton::clicked, this, [this] { this->operate(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(amount_, [this] { addLine(); });
  resize(820, 600);
}

QWidget* PaymentWithoutDebtWindow::buildHeader() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  kind_ = new QComboBox(panel);
  kind_->setObjectName("TipOper");
  kind_->addItems({kIncasare, kPlata});
  const DocumentHeading document = documentHeading({new QLabel("Tipul operatiunii", panel), kind_}, panel);
  numberCaption_ = document.seriesCaption;
  series_ = document.series;
  number_ = document.number;
  date_ = document.date;
  showReadOnly(number_, true);
  grid->addLayout(document.row, 0, 0, 1, 4);
  holder_ = textInput(kHolderField, 40, panel);
  keepUpperCase(holder_);
  code_ = new reg::CnpEdit(panel);
  code_->setObjectName(kCodeField);
  code_->setAcceptGol(true);
  code_->setFixedWidth(code_->fontMetrics().horizontalAdvance(QString(14, '0')) + 16);
  address_ = textInput(kAddressField, 40, panel);
  payer_ = textInput(kWithoutDebtPayerField, 40, panel);
  keepUpperCase(payer_);
  personType_ = new QComboBox(panel);
  personType_->setObjectName("TipPers");
  personType_->addItems({"Fizica", "Juridica"});
  addCaptionedPairs(grid, 1,
                    {{"Titular", holder_},
                     {"C.N.P. / C.F.", code_},
                     {"Adresa", address_},
                     {"Tip persoana", personType_},
                     {"Platitor", payer_}});
  grid->setColumnStretch(1, 1);  // the names take the width; the code keeps its own
  connect(kind_, &QComboBox::currentTextChanged, this, [this] { showKind(); });
  // The payer is usually the holder.
  connect(holder_, &QLineEdit::textEdited, payer_, [this] { payer_->setText(holder_->text()); });
  return panel;
}

QWidget* PaymentWithoutDebtWindow::buildLineEntry() {
  auto* box = new QGroupBox(this);
  auto* grid = new QGridLayout(box);
  group_ = new QComboBox(box);
  group_->setObjectName(kGroupField);
  group_->setMinimumContentsLength(30);
  group_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  details_ = textInput("Detalii", 50, box);
  amount_ = new NumericEdit(NumericEdit::Kind::Whole, 6, box);
  amount_->setObjectName(kAmountField);
  QPushButton* codes = commandButton("Coduri clasificare", "CoduriClasificare", nullptr, box);
  QPushButton* add = commandButton("&Adauga pe chitanta", "Adauga", nullptr, box);
  QPushButton* remove = commandButton("&Sterge de pe chitanta", "Sterge", nullptr, box);
  grid->addWidget(new QLabel("Contul", box), 0, 0);
  grid->addWidget(group_, 0, 1);
  grid->addWidget(codes, 0, 2);
  grid->addWidget(new QLabel("Detalii", box), 1, 0);
  grid->addWidget(details_, 1, 1);
  auto* amount = new QHBoxLayout;
  amount->addWidget(new QLabel("SUMA", box));
  amount->addWidget(amount_);
  amount->addWidget(new QLabel("LEI", box));
  amount->addStretch(1);
  grid->addLayout(amount, 2, 1);
  grid->addWidget(add, 1, 2);
  grid->addWidget(remove, 2, 2);
  grid->setColumnStretch(1, 1);
  connect(codes, &QPushButton::clicked, this, &PaymentWithoutDebtWindow::editBudgetCodes);
  connect(add, &QPushButton::clicked, this, &PaymentWithoutDebtWindow::addLine);
  connect(remove, &QPushButton::clicked, this, &PaymentWithoutDebtWindow::removeLine);
  return box;
}

bool PaymentWithoutDebtWindow::start() {
  lines_.clear();
  stored_.reset();
  for (QLineEdit* input : {holder_, static_cast<QLineEdit*>(code_), address_, payer_, details_,
                           static_cast<QLineEdit*>(amount_)})
    input->clear();
  kind_->setCurrentIndex(0);
  personType_->setCurrentIndex(0);
  date_->setDate(context_.clock.today());
  const auto accounts = readBudgetAccounts(payment_, *context_.interaction, kTitle);
  if (!accounts) return false;
  accounts_ = *accounts;
  readAccounts();
  showKind();
  showLines(0);
  holder_->setFocus();
  return true;
}

void PaymentWithoutDebtWindow::readAccounts() {
  const QString chosen = group_->currentText();
  group_->clear();
  group_->addItems(accounts_.groupsWithoutDebt());
  group_->setCurrentIndex(group_->findText(chosen));
}

void PaymentWithoutDebtWindow::showKind() {
  const auto kind = kind_->currentText() == kPlata ? WithoutDebtKind::Plata : WithoutDebtKind::Incasare;
  try {
    const WithoutDebtNumber number = proposeWithoutDebtNumber(payment_, kind);
    numberCaption_->setText(number.label);
    series_->setText(number.series);
    number_->setText(number.number);
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
  }
}

WithoutDebtHeader PaymentWithoutDebtWindow::header() const {
  return {kind_->currentText() == kPlata ? WithoutDebtKind::Plata : WithoutDebtKind::Incasare,
          date_->date(),
          holder_->text(),
          code_->text(),
          address_->text(),
          payer_->text(),
          personType_->currentIndex() == 0};
}

void PaymentWithoutDebtWindow::showLines(int select) {
  QList<QVariantList> rows;
  for (const WithoutDebtLine& l : lines_) rows.append({l.GRUPA, l.DENUM, qlonglong(l.amount)});
  grid_->setRecords(rows, select);
  total_->setText(QString::number(withoutDebtTotal(lines_)));
}

QString PaymentWithoutDebtWindow::totalText() const { return total_->text(); }

void PaymentWithoutDebtWindow::addLine() {
  if (const auto problem = addWithoutDebtLine(lines_, header(), group_->currentText(), details_->text(),
                                              amount_->text(), accounts_)) {
    report(*context_.interaction, *problem);
    return;
  }
  showLines(int(lines_.size()) - 1);
  details_->clear();
  amount_->clear();
  group_->setFocus();
}

void PaymentWithoutDebtWindow::removeLine() {
  const int index = grid_->currentRecord();
  if (const auto problem = removeWithoutDebtLine(lines_, index)) {
    report(*context_.interaction, *problem);
    return;
  }
  showLines(index);
}

void PaymentWithoutDebtWindow::editBudgetCodes() {
  const auto accounts = collect::editBudgetCodes(payment_, *context_.interaction, kTitle, this);
  if (!accounts) return;
  accounts_ = *accounts;
  readAccounts();
}

bool PaymentWithoutDebtWindow::operate() {
  const WithoutDebtHeader h = header();
  if (const auto problem = checkWithoutDebt(h, lines_)) {
    report(*context_.interaction, *problem);
    return false;
  }
  try {
    payment_.now = context_.clock.now();
    stored_ = commitWithoutDebt(payment_, h, lines_);
  } catch (const std::exception& e) {
    context_.interaction->error(kTitle, sql::message(e));
    return false;
  }
  number_->setText(stored_->number);
  accept();
  return true;
}

std::optional<std::int64_t> PaymentWithoutDebtWindow::run(AppContext& context, report::ReportPresenter& presenter,
                                                          QWidget* parent) {
  if (!context.database) return std::nullopt;  // no data directory, nothing to store into
  PaymentContext payment = PaymentContext::of(context);
  PaymentWithoutDebtWindow window(context, payment, parent);
  if (!window.start() || window.exec() != QDialog::Accepted || !window.stored()) return std::nullopt;
  const CommittedDocument& document = *window.stored();
  if (document.kind == DocumentKind::PaymentOrder)
    context.interaction->info("Ordin de plata", "Ordinul de plata a fost memorat!");
  else
    printStored(payment, document, context.paths.appDir, presenter, *context.interaction);
  return document.IDCHIT;
}

}  // namespace dajdor::collect
