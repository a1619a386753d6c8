#include "collect/collection_list_dialog.h"

#include "collect/dialog_heading_widget.h"
#include "collect/selection_rules.h"
#include "collect/taxpayer_search.h"
#include "session/app_context.h"
#include "store/sql_helpers.h"
#include "widgets/enter_navigation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dajdor::collect {

CollectionListDialog::CollectionListDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName("TAddListDeInc");
  setWindowTitle("Lista de incasat");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dialogHeading("Alegeti ce includem in lista", this));
  auto* form = new QFormLayout;
  village_ = new QComboBox(this);
  village_->setObjectName("SatulX");
  date_ = new QDateEdit(this);
  date_->setObjectName("DataC");
  date_->setCalendarPopup(true);
  date_->setDisplayFormat("dd.MM.yyyy");
  personType_ = new QComboBox(this);
  personType_->setObjectName("TipPers");
  personType_->addItems({kAnyType, "Fizica", "Juridica"});
  typeLabel_ = new QLabel("Tip persoana", this);
  pluses_ = new QCheckBox("Include si plusurile", this);
  pluses_->setObjectName("SiPlusuri");
  zero_ = new QCheckBox("Include si gospodariile fara debite", this);
  zero_->setObjectName("SiZero");
  form->addRow("Localitatea", village_);
  form->addRow("Data calcularii", date_);
  form->addRow(typeLabel_, personType_);
  form->addRow(pluses_);
  form->addRow(zero_);
  layout->addLayout(form);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* show = new QPushButton("Arata Lista", this);
  show->setObjectName("ArataLista");
  auto* cancel = new QPushButton("Renunt", this);
  buttons->addWidget(show);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(show, &QPushButton::clicked, this, [this] { confirm(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  new EnterNavigation(this);
}

bool CollectionListDialog::prepare(bool showPersonType) {
  QStringList villages;
  try {
    villages = collectionListVillages(*context_.database, context_.paths.dataDir);
  } catch (const std::exception& e) {
    context_.interaction->error(windowTitle(), sql::message(e));
    return false;
  }
  village_->clear();
  village_->addItem(kAnyVillage);
  village_->addItems(villages);
  village_->setCurrentIndex(0);
  date_->setDate(context_.clock.today());
  typeLabel_->setVisible(showPersonType);
  personType_->setVisible(showPersonType);
  return true;
}

bool CollectionListDialog::ask(bool showPersonType) { return prepare(showPersonType) && exec() == QDialog::Accepted; }

bool CollectionListDialog::confirm() {
  if (const auto problem = collectionListProblem(village_->currentText(), date_->date(), context_.clock.today())) {
    context_.interaction->problem(problem->text, problem->field);
    return false;
  }
  accept();
  return true;
}

QString CollectionListDialog::village() const { return village_->currentText(); }
QDate CollectionListDialog::calculationDate() const { return date_->date(); }
QString CollectionListDialog::personType() const { return personType_->currentText(); }
bool CollectionListDialog::includePluses() const { return pluses_->isChecked(); }
bool CollectionListDialog::includeWithoutDebts() const { return zero_->isChecked(); }

}  // namespace dajdor::collect
