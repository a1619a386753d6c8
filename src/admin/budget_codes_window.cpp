#include "admin/budget_codes_window.h"

#include "admin/budget_code_editor_dialog.h"
#include "admin/report_errors.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::admin {
namespace {

const QStringList kColumnFields = {"GRUPA", "CODCLF", "CODCLJ"};

}  // namespace

BudgetCodesWindow::BudgetCodesWindow(engine::Database& database, SettingsFile& settings,
                                     Interaction& interaction, QWidget* parent)
    : QDialog(parent), database_(database), settings_(settings), interaction_(interaction) {
  setObjectName("TFClasificare");
  setWindowTitle("Nomenclator Coduri clasificare bugetara");
  resize(760, 480);

  grid_ = new QTableWidget(0, 3, this);
  grid_->setObjectName("Grid");
  grid_->setHorizontalHeaderLabels(
      {"Denumirea creantei", "Cod persoane fizice", "Cod persoane juridice"});
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setSectionsClickable(true);
  grid_->installEventFilter(this);
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &BudgetCodesWindow::sortByColumn);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { modify(); });

  const auto button = [this](const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* addButton = button("&Adauga", "AddButton");
  QPushButton* modifyButton = button("&Modifica", "ModifyButton");
  QPushButton* deleteButton = button("&Sterge", "DeleteButton");
  QPushButton* closeButton = button("&Inchide", "CloseButton");
  connect(addButton, &QPushButton::clicked, this, &BudgetCodesWindow::add);
  connect(modifyButton, &QPushButton::clicked, this, &BudgetCodesWindow::modify);
  connect(deleteButton, &QPushButton::clicked, this, &BudgetCodesWindow::remove);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {addButton, modifyButton, deleteButton}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(closeButton);
  auto* status = new QLabel("ESC - Iesire", this);
  status->setObjectName("StatusLabel");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  layout->addWidget(status);

  editor_ = new BudgetCodeEditorDialog(this);
}

int BudgetCodesWindow::showList() {
  order_ = kDefaultBudgetOrder;
  reload();
  grid_->setFocus();
  return exec();
}

std::optional<BudgetCode> BudgetCodesWindow::selected() const {
  const int row = grid_->currentRow();
  if (row < 0 || row >= codes_.size()) return std::nullopt;
  return codes_[row];
}

void BudgetCodesWindow::reload(std::optional<std::int64_t> id) {
  if (!id) {
    if (const auto current = selected()) id = current->id;
  }
  const int previousRow = grid_->currentRow();
  QList<BudgetCode> codes;
  if (!reportErrors(interaction_, "Coduri clasificare",
                    [&] { codes = listBudgetCodes(database_, order_); }))
    return;
  codes_ = codes;
  grid_->setRowCount(codes_.size());
  int selectRow = -1;
  for (int row = 0; row < codes_.size(); ++row) {
    const BudgetCode& c = codes_[row];
    grid_->setItem(row, 0, new QTableWidgetItem(c.group));
    grid_->setItem(row, 1, new QTableWidgetItem(c.naturalAccount));
    grid_->setItem(row, 2, new QTableWidgetItem(c.legalAccount));
    if (id && c.id == *id) selectRow = row;
  }
  if (selectRow < 0 && !codes_.isEmpty())
    selectRow = std::clamp(previousRow, 0, static_cast<int>(codes_.size()) - 1);
  grid_->setCurrentCell(selectRow, selectRow < 0 ? -1 : 0);
}

void BudgetCodesWindow::sortByColumn(int column) {
  if (column < 0 || column >= kColumnFields.size()) return;
  order_ = kColumnFields[column];
  reload();
}

void BudgetCodesWindow::add() {
  editor_->prepareAdd([this](BudgetCode& code) {
    bool ok = false;
    reportErrors(interaction_, "Adaugare creanta",
                 [&] { ok = checkBudgetCode(database_, code, false, interaction_); });
    return ok;
  });
  if (editor_->exec() != QDialog::Accepted) return;
  std::int64_t id = 0;
  if (reportErrors(interaction_, "Adaugare creanta",
                   [&] { id = addBudgetCode(database_, settings_, editor_->code()); }))
    reload(id);
}

void BudgetCodesWindow::modify() {
  const auto before = selected();
  if (!before) {
    interaction_.problem("Nu aveti ce modifica!", grid_->objectName());
    return;
  }
  editor_->prepareModify(*before, [this](BudgetCode& code) {
    bool ok = false;
    reportErrors(interaction_, "Modificare creanta",
                 [&] { ok = checkBudgetCode(database_, code, true, interaction_); });
    return ok;
  });
  if (editor_->exec() != QDialog::Accepted) return;
  reportErrors(interaction_, "Modificare creanta",
               [&] { modifyBudgetCode(database_, *before, editor_->code()); });
  reload(before->id);
}

void BudgetCodesWindow::remove() {
  const auto code = selected();
  if (!code) {
    interaction_.problem("Nu aveti ce sterge!", grid_->objectName());
    return;
  }
  reportErrors(interaction_, "Stergere creanta",
               [&] { deleteBudgetCode(database_, *code, interaction_); });
  reload();
}

bool BudgetCodesWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      modify();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dajdor::admin
