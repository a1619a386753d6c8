#include "admin/administration_window.h"

#include "admin/budget_codes_window.h"
#include "widgets/enter_navigation.h"
#include "admin/locality_editor_dialog.h"
#include "admin/path_settings.h"
#include "admin/report_errors.h"
#include "admin/settings_page_widget.h"
#include "admin/settings_store.h"
#include "admin/user_editor_dialog.h"
#include "users/user_management.h"
#include "store/machine_settings.h"
#include "store/settings_file.h"
#include "widgets/bold_label.h"

#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dajdor::admin {
namespace {

constexpr int kPageRole = Qt::UserRole + 1;
const QString kGeneralPage = QStringLiteral("PageGeneral");
const QString kZonesPage = QStringLiteral("PageZones");

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent,
                        const QString& hint = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

QTableWidget* makeGrid(const QString& name, const QStringList& columns, QWidget* parent) {
  auto* grid = new QTableWidget(0, columns.size(), parent);
  grid->setObjectName(name);
  grid->setHorizontalHeaderLabels(columns);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid->setMinimumHeight(200);
  return grid;
}

}  // namespace

AdministrationWindow::AdministrationWindow(AdministrationServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
  setObjectName("TForm4");
  setWindowTitle("Administrator program");
  resize(kPreferredSize);
  chooseFolder = [this](const QString& title) {
    return QFileDialog::getExistingDirectory(this, title);
  };

  navigator_ = new QListWidget(this);
  navigator_->setObjectName("Navigator");
  navigator_->setFixedWidth(220);
  stack_ = new QStackedWidget(this);
  stack_->setObjectName("Pages");
  for (const SettingPage& page : settingPages()) {
    if (!page.headingBefore.isEmpty()) {
      auto* heading = new QListWidgetItem(page.headingBefore, navigator_);
      heading->setFlags(Qt::NoItemFlags);
      QFont bold = heading->font();
      bold.setBold(true);
      heading->setFont(bold);
      heading->setForeground(palette().windowText());
    }
    auto* widget = new SettingsPageWidget(page, stack_);
    pages_.append(widget);
    stack_->addWidget(widget);
    auto* item = new QListWidgetItem(page.navigatorText, navigator_);
    item->setData(kPageRole, page.id);
    if (page.explanations) addExplanations(widget);
  }
  buildGeneralExtras(page(kGeneralPage));
  buildZonesExtras(page(kZonesPage));
  connect(navigator_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item && item->data(kPageRole).isValid()) showPage(item->data(kPageRole).toString());
  });

  QPushButton* save = makeButton("Salveaza si inchide", "SaveButton", this);
  QPushButton* cancel = makeButton("Renunt la schimbari", "CancelButton", this);
  connect(save, &QPushButton::clicked, this, &AdministrationWindow::saveSettings);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(cancel);

  auto* body = new QHBoxLayout;
  body->addWidget(navigator_);
  body->addWidget(stack_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(buttons);

  localityEditor_ = new LocalityEditorDialog(this);
  budgetCodes_ = new BudgetCodesWindow(services_.database, services_.settings,
                                       services_.interaction, this);
  userEditor_ = new UserEditorDialog(this);
  auto* enter = new EnterNavigation(this);
  enter->setAfterLast(save);
  showPage(kGeneralPage);
}

AdministrationWindow::~AdministrationWindow() { closeUsers(); }

void AdministrationWindow::fitInto(const QRect& area) {
  // Room for the frame and the title bar of the desktop.
  const QSize size = kPreferredSize.boundedTo(area.size() - QSize(24, 48));
  resize(size);
  move(area.x() + (area.width() - size.width()) / 2, area.y() + std::max(0, (area.height() - size.height() - 32) / 2));
}

void AdministrationWindow::showEvent(QShowEvent* event) {
  if (const QScreen* shown = screen()) fitInto(shown->availableGeometry());
  QDialog::showEvent(event);
}

SettingsPageWidget* AdministrationWindow::page(const QString& id) const {
  for (SettingsPageWidget* p : pages_)
    if (p->page().id == id) return p;
  return nullptr;
}

void AdministrationWindow::showPage(const QString& id) {
  SettingsPageWidget* target = page(id);
  if (!target) return;
  stack_->setCurrentWidget(target);
  for (int row = 0; row < navigator_->count(); ++row) {
    QListWidgetItem* item = navigator_->item(row);
    if (item->data(kPageRole).toString() == id && navigator_->currentItem() != item)
      navigator_->setCurrentItem(item);
  }
}

void AdministrationWindow::addExplanations(SettingsPageWidget* page) {
  QPushButton* button = makeButton("Explicatii", "ExplanationsButton", page);
  page->titleButtons()->addWidget(button);
  connect(button, &QPushButton::clicked, this, [this] {
    services_.interaction.info(
        "Explicatii",
        "Nivelul impozitelor se calculeaza inmultind valoarea din lege\r"
        "cu coeficientul stabilit de consiliul local si cu\rcoeficientii de zona si rang.");
  });
}

void AdministrationWindow::buildGeneralExtras(SettingsPageWidget* general) {
  const auto addPathButtons = [&](const QString& name, QPushButton* change, QPushButton* remove) {
    QBoxLayout* row = general->pathButtons(name);
    row->addWidget(change);
    if (remove) row->addWidget(remove);
    row->addStretch(1);
  };
  const auto pathButton = [general](const QString& caption, const QString& name,
                                    const QString& hint) {
    QPushButton* button = makeButton(caption, name, general, hint);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance("...") + 24);
    return button;
  };
  QPushButton* server = pathButton("...", "ServerPathButton", "Modificare cale server.");
  QPushButton* serverOff =
      pathButton("X", "RemoveServerPathButton", "Stergere cale server. Lucru local.");
  QPushButton* backup = pathButton("...", "BackupPathButton", "Modificare cale salvari automate.");
  QPushButton* backupOff =
      pathButton("X", "RemoveBackupPathButton", "Stergere cale salvari automate.");
  QPushButton* registerPath =
      pathButton("...", "RegisterPathButton",
                 "Indicati calea directorului DATA din Registrul Agricol 2010-2014");
  addPathButtons("CaleServer", server, serverOff);
  addPathButtons("CaleSalvari", backup, backupOff);
  addPathButtons("CALEAUTORA", registerPath, nullptr);
  connect(server, &QPushButton::clicked, this, &AdministrationWindow::changeServerPath);
  connect(serverOff, &QPushButton::clicked, this, &AdministrationWindow::removeServerPath);
  connect(backup, &QPushButton::clicked, this, &AdministrationWindow::changeBackupPath);
  connect(backupOff, &QPushButton::clicked, this, &AdministrationWindow::removeBackupPath);
  connect(registerPath, &QPushButton::clicked, this, &AdministrationWindow::changeRegisterPath);

  auto* usersBox = new QFrame(general);
  usersBox->setFrameShape(QFrame::StyledPanel);
  auto* usersLayout = new QVBoxLayout(usersBox);
  QLabel* usersTitle = boldLabel("Gestiune utilizatori", 0, usersBox);
  usersGrid_ = makeGrid(UserManagement::kGridField, {"Numele", "Rangul", "Legitim."}, usersBox);
  usersGrid_->setMinimumHeight(140);
  connect(usersGrid_, &QTableWidget::cellDoubleClicked, this, [this] { modifyUser(); });
  QPushButton* addUserButton = makeButton("Adaugare", "AddUserButton", usersBox);
  QPushButton* modifyUserButton = makeButton("Modificare", "ModifyUserButton", usersBox);
  QPushButton* deleteUserButton = makeButton("Stergere", "DeleteUserButton", usersBox);
  connect(addUserButton, &QPushButton::clicked, this, &AdministrationWindow::addUser);
  connect(modifyUserButton, &QPushButton::clicked, this, &AdministrationWindow::modifyUser);
  connect(deleteUserButton, &QPushButton::clicked, this, &AdministrationWindow::deleteUser);
  auto* userButtons = new QHBoxLayout;
  for (QPushButton* b : {addUserButton, modifyUserButton, deleteUserButton}) userButtons->addWidget(b);
  userButtons->addStretch(1);
  usersLayout->addWidget(usersTitle);
  usersLayout->addWidget(usersGrid_);
  usersLayout->addLayout(userButtons);
  // Beside the town hall's data, so the users are in sight when the page opens.
  general->besideSection("Primaria")->addWidget(usersBox, 1);

  QPushButton* codes = makeButton("Coduri clasificare", "BudgetCodesButton", general);
  connect(codes, &QPushButton::clicked, this, [this] { budgetCodes_->showList(); });
  auto* row = new QHBoxLayout;
  row->addWidget(codes);
  row->addStretch(1);
  general->extras()->addLayout(row);
}

void AdministrationWindow::buildZonesExtras(SettingsPageWidget* zones) {
  localities_ = makeGrid("ZonesGrid", {"Localitatea", "Zona", "Rangul"}, zones);
  connect(localities_, &QTableWidget::cellDoubleClicked, this, [this] { modifyLocality(); });
  QPushButton* add = makeButton("Adauga", "AddLocalityButton", zones);
  QPushButton* modify = makeButton("Modifica", "ModifyLocalityButton", zones);
  QPushButton* remove = makeButton("Sterge", "DeleteLocalityButton", zones);
  connect(add, &QPushButton::clicked, this, &AdministrationWindow::addLocality);
  connect(modify, &QPushButton::clicked, this, &AdministrationWindow::modifyLocality);
  connect(remove, &QPushButton::clicked, this, &AdministrationWindow::deleteLocality);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {add, modify, remove}) buttons->addWidget(b);
  buttons->addStretch(1);
  zones->extras()->addWidget(localities_);
  zones->extras()->addLayout(buttons);
}

void AdministrationWindow::setUserName(const QString& name) {
  userName_ = name;
  loadSettings();
}

void AdministrationWindow::loadSettings() {
  reportErrors(services_.interaction, "Incarcare setari", [this] {
    services_.rates = LoadSettings({services_.database, services_.settings, userName_, services_.workYear});
  });
  for (SettingsPageWidget* p : pages_) p->showValues(services_.rates);
}

bool AdministrationWindow::saveSettings() {
  Rates values = services_.rates;
  for (SettingsPageWidget* p : pages_) p->collectValues(values);
  SettingProblem problem;
  // Show the page of a refused value, so its balloon has an input to point at.
  if (findSettingProblem(values, problem))
    for (SettingsPageWidget* p : pages_)
      if (p->input(problem.field)) showPage(p->page().id);
  if (!SaveSettings({services_.database, services_.settings, userName_, services_.workYear},
                    values, services_.interaction))
    return false;
  accept();
  emit settingsSaved();
  return true;
}

void AdministrationWindow::done(int result) {
  QDialog::done(result);
  loadSettings();
  closeUsers();
}

void AdministrationWindow::prepare() {
  reloadLocalities();
  openUsers();
  showPage(kGeneralPage);
}

int AdministrationWindow::showAdministration() {
  prepare();
  return exec();
}

void AdministrationWindow::openUsers() {
  closeUsers();
  if (services_.user) {
    users_ = std::make_unique<UserManagement>(
        services_.database, services_.paths.appDir, UsersFile::inDirectory(services_.paths.dataDir),
        SettingsFile(services_.settings.path()), services_.interaction, *services_.user);
    if (!users_->open()) users_.reset();
  }
  reloadUsers();
}

void AdministrationWindow::closeUsers() {
  if (users_) users_->close();
  users_.reset();
  usersGrid_->setRowCount(0);
}

void AdministrationWindow::reloadUsers(const QString& select) {
  QStringList names;
  const int previous = usersGrid_->currentRow();
  usersGrid_->setRowCount(0);
  if (!users_) return;
  reportErrors(services_.interaction, "Gestiune utilizatori", [&] {
    auto rows = users_->rows();
    for (rows->first(); !rows->eof(); rows->next()) {
      const int r = usersGrid_->rowCount();
      usersGrid_->insertRow(r);
      const QString name = QString::fromStdString(rows->asText("NUME"));
      names.append(name);
      usersGrid_->setItem(r, 0, new QTableWidgetItem(name));
      usersGrid_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(rows->asText("GRAD"))));
      usersGrid_->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(rows->asText("LEGIT"))));
    }
  });
  int row = names.indexOf(select);
  if (row < 0 && !names.isEmpty()) row = std::clamp(previous, 0, static_cast<int>(names.size()) - 1);
  usersGrid_->setCurrentCell(row, row < 0 ? -1 : 0);
}

QString AdministrationWindow::selectedUser() const {
  const QTableWidgetItem* item = usersGrid_->item(usersGrid_->currentRow(), 0);
  return item ? item->text() : QString();
}

void AdministrationWindow::addUser() {
  if (users_ && userEditor_->runAdd(*users_)) reloadUsers(userEditor_->entry().name);
}

void AdministrationWindow::modifyUser() {
  if (!users_) return;
  const QString name = selectedUser();
  if (userEditor_->runModify(*users_, name)) reloadUsers(name);
}

void AdministrationWindow::deleteUser() {
  if (users_ && users_->remove(selectedUser())) reloadUsers();
}

void AdministrationWindow::showPath(const QString& name, const QString& path) {
  Rates shown = services_.rates;
  if (SettingsPageWidget* general = page(kGeneralPage)) {
    general->collectValues(shown);
    shown.setText(name, path);
    general->showValues(shown);
  }
}

QString AdministrationWindow::shownPath(const QString& name) const {
  Rates shown;
  if (SettingsPageWidget* general = page(kGeneralPage)) general->collectValues(shown);
  return shown.text(name);
}

void AdministrationWindow::changeServerPath() {
  const QString chosen = chooseFolder("Indicati baza de date din retea");
  if (!connectServer(chosen, services_.machine, services_.interaction)) return;
  showPath("CaleServer", withoutTrailingSeparator(chosen));
  reject();
  emit endProgramRequested();
}

void AdministrationWindow::removeServerPath() {
  if (!disconnectServer(shownPath("CaleServer"), services_.machine, services_.interaction)) return;
  reject();
  emit endProgramRequested();
}

void AdministrationWindow::changeBackupPath() {
  if (!mayChooseBackupPath(services_.paths.isLocal(), services_.interaction)) return;
  const QString chosen = chooseFolder("Indicati calea salvarilor automate");
  if (setBackupPath(chosen, services_.machine, services_.interaction))
    showPath("CaleSalvari", withoutTrailingSeparator(chosen));
}

void AdministrationWindow::removeBackupPath() {
  if (clearBackupPath(shownPath("CaleSalvari"), services_.machine, services_.interaction))
    showPath("CaleSalvari", {});
}

void AdministrationWindow::changeRegisterPath() {
  const QString chosen = chooseFolder("Indicati directorul DATA din RA 2010");
  if (chosen.trimmed().isEmpty()) return;
  showPath("CALEAUTORA", checkAgriculturalRegisterPath(chosen, services_.interaction));
}

std::optional<Locality> AdministrationWindow::selectedLocality() const {
  const int row = localities_->currentRow();
  if (row < 0 || row >= localityRows_.size()) return std::nullopt;
  return localityRows_[row];
}

void AdministrationWindow::reloadLocalities(std::optional<std::int64_t> select) {
  QList<Locality> rows;
  if (!reportErrors(services_.interaction, "Localitati",
                    [&] { rows = listLocalities(services_.database); }))
    return;
  localityRows_ = rows;
  localities_->setRowCount(rows.size());
  int selectRow = rows.isEmpty() ? -1 : 0;
  for (int r = 0; r < rows.size(); ++r) {
    localities_->setItem(r, 0, new QTableWidgetItem(rows[r].name));
    localities_->setItem(r, 1, new QTableWidgetItem(rows[r].zone));
    localities_->setItem(r, 2, new QTableWidgetItem(rows[r].rank));
    if (select && rows[r].id == *select) selectRow = r;
  }
  localities_->setCurrentCell(selectRow, selectRow < 0 ? -1 : 0);
}

void AdministrationWindow::addLocality() {
  Locality fresh;
  Rates shown = services_.rates;
  page(kZonesPage)->collectValues(shown);
  fresh.zone = shown.defaultZone();
  fresh.rank = shown.defaultRank();
  localityEditor_->prepare("Adaugare zona", fresh, [this](Locality& l) {
    bool ok = false;
    reportErrors(services_.interaction, "Adaugare zona",
                 [&] { ok = checkLocality(services_.database, l, std::nullopt, services_.interaction); });
    return ok;
  });
  if (localityEditor_->exec() != QDialog::Accepted) return;
  std::int64_t id = 0;
  if (reportErrors(services_.interaction, "Adaugare zona", [&] {
        id = admin::addLocality(services_.database, services_.settings, localityEditor_->locality());
      }))
    reloadLocalities(id);
}

void AdministrationWindow::modifyLocality() {
  const auto selected = selectedLocality();
  if (!selected) {
    services_.interaction.problem("Nu aveti ce modifica!", "ModifyLocalityButton");
    return;
  }
  localityEditor_->prepare("Modificare zona", *selected, [this, id = selected->id](Locality& l) {
    bool ok = false;
    reportErrors(services_.interaction, "Modificare zona",
                 [&] { ok = checkLocality(services_.database, l, id, services_.interaction); });
    return ok;
  });
  if (localityEditor_->exec() != QDialog::Accepted) return;
  reportErrors(services_.interaction, "Modificare zona",
               [&] { admin::modifyLocality(services_.database, localityEditor_->locality()); });
  reloadLocalities(selected->id);
}

void AdministrationWindow::deleteLocality() {
  const auto selected = selectedLocality();
  if (!selected) {
    services_.interaction.problem("Nu aveti ce sterge!", "DeleteLocalityButton");
    return;
  }
  if (!services_.interaction.confirm("Stergere localitate",
                                     "Sunteti sigur ca vreti sa stergeti localitatea?"))
    return;
  const int row = localities_->currentRow();
  const int count = localityRows_.size();
  if (!reportErrors(services_.interaction, "Stergere localitate",
                    [&] { admin::deleteLocality(services_.database, selected->id); }))
    return;
  const int next = rowAfterDeletion(row, count);
  // The row that takes the deleted one's place keeps its identity across the reload.
  std::optional<std::int64_t> keep;
  if (next >= 0) keep = localityRows_[next < row ? next : next + 1].id;
  reloadLocalities(keep);
}

}  // namespace dajdor::admin
