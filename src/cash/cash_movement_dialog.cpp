#include "cash/cash_movement_dialog.h"

#include "widgets/bold_label.h"
#include "widgets/date_time_typing.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/save_cancel_row.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::cash {
namespace {

const QString kReceipt = QStringLiteral("INCASARE");
const QString kPayment = QStringLiteral("PLATA");

}  // namespace

CashMovementDialog::CashMovementDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
  setObjectName("TFAddOper");
  setWindowTitle("Dajdor");
  setModal(true);
  title_ = boldLabel(QString(), 3, this);
  title_->setObjectName("Titlu");
  title_->setAlignment(Qt::AlignCenter);

  document_ = new QComboBox(this);
  document_->setObjectName(kDocumentField);
  document_->setEditable(true);
  document_->setInsertPolicy(QComboBox::NoInsert);
  document_->lineEdit()->setMaxLength(kDocumentLength);
  document_->setMinimumWidth(document_->fontMetrics().averageCharWidth() * 44);
  kind_ = new QComboBox(this);
  kind_->setObjectName("TipOper");
  kind_->addItems({kReceipt, kPayment});
  amount_ = new NumericEdit(NumericEdit::Kind::Whole, 6, this);
  amount_->setObjectName(kAmountField);
  day_ = new QDateEdit(this);
  day_->setObjectName(kDayField);
  day_->setDisplayFormat("dd.MM.yyyy");
  day_->setCalendarPopup(true);
  letDigitsOverwriteSections(day_);
  amount_->installEventFilter(this);

  auto* form = new QFormLayout;
  form->addRow("Document justificativ", document_);
  form->addRow("Tipul operatiunii", kind_);
  form->addRow("Suma (lei)", amount_);
  form->addRow("din data", day_);
  const SaveCancelRow buttons = makeSaveCancelRow(this, [this] { save(); });
  save_ = buttons.save;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);
}

std::optional<Movement> CashMovementDialog::ask(const QString& title, const Movement& initial,
                                                const QStringList& documents) {
  title_->setText(title);
  document_->clear();
  document_->addItems(documents);
  setMovement(initial);
  document_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return movement();
}

void CashMovementDialog::setMovement(const Movement& movement) {
  document_->setEditText(movement.document);
  kind_->setCurrentText(movement.payment ? kPayment : kReceipt);
  amount_->setNumberText(QString::number(movement.amount));
  day_->setDate(movement.day);
}

Movement CashMovementDialog::movement() const {
  return {day_->date(), document_->currentText(), kind_->currentText() == kPayment,
          amount_->numberText().toLongLong()};
}

void CashMovementDialog::save() {
  Movement typed = movement();
  if (checkMovement(typed, interaction_)) accept();
}

bool CashMovementDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == amount_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      save_->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dajdor::cash
