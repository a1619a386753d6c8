#include "shell/log_view_window.h"

#include "users/action_log.h"
#include "shell/result_set_model.h"
#include "store/sql_helpers.h"
#include "widgets/bold_label.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace dajdor {

LogViewWindow::LogViewWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TLogView");
  setWindowTitle("Istoric actiuni");
  resize(820, 520);

  auto* title = boldLabel("Istoricul operatiunilor efectuate", 4, this);
  title->setObjectName("Titlu");
  title->setAlignment(Qt::AlignCenter);

  model_ = new ResultSetModel({{"DATAA", "Data"},
                               {"ORA", "Ora"},
                               {"UTILIZATOR", "Nume operator"},
                               {"ROL", "Rol"},
                               {"ACTIUNE", "Actiune"}},
                              this);
  grid_ = new QTableView(this);
  grid_->setObjectName("Grid");
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(true);

  auto* close = new QPushButton("Inchide", this);
  close->setObjectName("Inchide");
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(grid_, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
}

bool LogViewWindow::reload(engine::Database& database, const QString& dataDir, QString& error) {
  try {
    model_->setRows(ActionLog(database, dataDir).entries());
  } catch (const std::exception& e) {
    model_->setRows(nullptr);
    error = sql::message(e);
    return false;
  }
  grid_->resizeColumnsToContents();
  // The newest actions are the last rows: show and select the last one.
  if (model_->rowCount() > 0) {
    grid_->selectRow(model_->rowCount() - 1);
    grid_->scrollToBottom();
  }
  return true;
}

}  // namespace dajdor
