#include "collect/report_range_dialog.h"

#include "collect/dialog_heading_widget.h"
#include "collect/selection_rules.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/enter_navigation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace dajdor::collect {

ReportRangeDialog::ReportRangeDialog(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
  setObjectName("TPerSelect");
  setWindowTitle("Rapoarte");
  auto* layout = new QVBoxLayout(this);
  QWidget* heading = dialogHeading(QString(), this);
  heading_ = heading->findChild<QLabel*>("Heading");
  layout->addWidget(heading);
  auto* form = new QFormLayout;
  village_ = new QComboBox(this);
  village_->setObjectName("SATUL");
  const auto digits = [this](const QString& name, int length) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(length);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d*"), edit));
    return edit;
  };
  rol0_ = digits("ROL0", 6);
  rol1_ = digits("ROL1", 6);
  const auto day = [this](const QString& name) {
    auto* edit = new QDateEdit(context_.clock.today(), this);
    edit->setObjectName(name);
    edit->setDisplayFormat("dd.MM.yyyy");
    edit->setCalendarPopup(true);
    return edit;
  };
  date_ = day("DataAzi");
  number_ = new QLineEdit(this);
  number_->setObjectName("NrInreg");
  number_->setMaxLength(10);
  numberDate_ = day("DataInreg");
  form->addRow("Localitatea", village_);
  form->addRow("incepand cu numarul de ROL", rol0_);
  form->addRow("pana la numarul de ROL", rol1_);
  form->addRow("Situatia se va calcula la data de", date_);
  layout->addLayout(form);
  auto* registration = new QGroupBox("Numere de inregistrare", this);
  auto* regForm = new QFormLayout(registration);
  regForm->addRow("incepand cu nr.", number_);
  regForm->addRow("din data", numberDate_);
  layout->addWidget(registration);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* report = new QPushButton("Raporteaza", this);
  report->setObjectName("Raporteaza");
  auto* cancel = new QPushButton("Renunt", this);
  buttons->addWidget(report);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(report, &QPushButton::clicked, this, [this] { confirm(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* enter = new EnterNavigation(this);
  enter->setFinalAction(numberDate_, [this] { confirm(); });
}

bool ReportRangeDialog::prepare(const QString& title) {
  heading_->setText(title);
  QStringList villages;
  try {
    villages = reportVillages(*context_.database, context_.paths.dataDir);
  } catch (const std::exception& e) {
    context_.interaction->error(windowTitle(), sql::message(e));
    return false;
  }
  village_->clear();
  village_->addItems(villages);
  village_->setCurrentIndex(villages.isEmpty() ? -1 : 0);
  return true;
}

bool ReportRangeDialog::ask(const QString& title) { return prepare(title) && exec() == QDialog::Accepted; }

bool ReportRangeDialog::confirm() {
  if (const auto problem = reportRangeProblem(village(), firstRol(), lastRol())) {
    context_.interaction->problem(problem->text, problem->field);
    return false;
  }
  accept();
  return true;
}

QString ReportRangeDialog::village() const { return village_->currentText(); }
std::int64_t ReportRangeDialog::firstRol() const { return rol0_->text().toLongLong(); }
std::int64_t ReportRangeDialog::lastRol() const { return rol1_->text().toLongLong(); }
QDate ReportRangeDialog::calculationDate() const { return date_->date(); }
QString ReportRangeDialog::firstRegistrationNumber() const { return number_->text().trimmed(); }
QDate ReportRangeDialog::registrationDate() const { return numberDate_->date(); }

}  // namespace dajdor::collect
