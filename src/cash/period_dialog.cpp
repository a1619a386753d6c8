#include "cash/period_dialog.h"

#include "cash/cash_listings.h"
#include "widgets/bold_label.h"
#include "widgets/date_time_typing.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::cash {
namespace {

QDateEdit* dateInput(const QString& name, const QDate& day, QWidget* parent) {
  auto* edit = new QDateEdit(day, parent);
  edit->setObjectName(name);
  edit->setDisplayFormat("dd.MM.yyyy");
  edit->setCalendarPopup(true);
  letDigitsOverwriteSections(edit);
  return edit;
}

}  // namespace

PeriodDialog::PeriodDialog(const QDate& today, Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TFAlegePerioada");
  setWindowTitle("Dajdor");
  setModal(true);
  QLabel* title = boldLabel("Alegeti perioada", 3, this);
  title->setAlignment(Qt::AlignCenter);
  first_ = dateInput("Data0", today, this);
  last_ = dateInput(kLastDayField, today, this);
  last_->installEventFilter(this);
  transfers_ = new QCheckBox("Inclusiv platile prin virament", this);
  transfers_->setObjectName("ViramInclusiv");

  auto* form = new QFormLayout;
  form->addRow("Incepand cu data", first_);
  form->addRow("terminand cu data", last_);
  choose_ = new QPushButton("Am ales", this);
  choose_->setObjectName("AmAles");
  choose_->setAutoDefault(false);
  auto* cancel = new QPushButton("Renunt", this);
  cancel->setObjectName("Renunt");
  cancel->setAutoDefault(false);
  connect(choose_, &QPushButton::clicked, this, &PeriodDialog::choose);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(choose_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(form);
  layout->addWidget(transfers_);
  layout->addLayout(buttons);
}

std::optional<Period> PeriodDialog::ask(bool offerTransfers) {
  transfers_->setVisible(offerTransfers);
  first_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Period{first_->date(), last_->date(), offerTransfers && transfers_->isChecked()};
}

void PeriodDialog::choose() {
  if (checkPeriod(first_->date(), last_->date(), interaction_)) accept();
}

bool PeriodDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == last_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      choose_->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dajdor::cash
