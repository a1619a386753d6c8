#include "shell/main_window.h"

#include "shell/account_dialog.h"
#include "admin/settings_store.h"
#include "users/action_log.h"
#include "session/app_context.h"
#include "shell/daily_import_schedule.h"
#include "shell/exit_backup.h"
#include "shell/log_view_window.h"
#include "users/login.h"
#include "users/own_account.h"
#include "users/users_file.h"
#include "store/clock.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"
#include "widgets/colour_button_widget.h"
#include "widgets/desktop_open.h"
#include "widgets/gradient_panel_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

#include <algorithm>

namespace dajdor {
namespace {

const ButtonColours kButtonColours{QColor("#3966A8"), QColor("#000093"), QColor("#7196CE"), QColor("#ECF1F9"),
                                   QColor("#000000")};
const QColor kBarFrom(0x81A2D3);
const QColor kBarTo(0x365F9C);
constexpr int kButtonWidth = 132;
constexpr int kButtonHeight = 46;
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QString previousYearTitle() { return QStringLiteral("Import date %1").arg(kWorkYear - 1); }

}  // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      models_(context.paths.dataDir, openWithDesktop) {
  setObjectName("TForm3");
  setWindowTitle(kVersionTitle);
  buildBar();
  buildEntries();
  registerOwnCommands();

  account_ = new AccountDialog(*context_.interaction, this);
  logView_ = new LogViewWindow(this);

  dailyImportTimer_.setObjectName("AutoRA2011");
  dailyImportTimer_.setInterval(kDailyImportIntervalMs);
  connect(&dailyImportTimer_, &QTimer::timeout, this, &MainWindow::dailyImportTick);

  // F1 and F2 belong to the window, whatever control has the focus.
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  f1->setContext(Qt::WindowShortcut);
  connect(f1, &QShortcut::activated, this, [this] {
    if (loggedInView_) runCommand(MenuId::Incasari);
  });
  auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
  f2->setContext(Qt::WindowShortcut);
  connect(f2, &QShortcut::activated, this, [this] {
    if (loggedInView_) popUp(MenuId::ListeSiFormulare);
  });

  showLoginPanel();
  applyRights();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildBar() {
  auto* bar = new GradientPanel(this);
  bar->setObjectName("Bara");
  bar->setColours(kBarFrom, kBarTo);
  setCentralWidget(bar);

  loginPanel_ = new QWidget(bar);
  loginPanel_->setObjectName("PanelLogin");
  auto* nameLabel = new QLabel("Numele", loginPanel_);
  name_ = new QLineEdit("ADMIN", loginPanel_);
  name_->setObjectName("Numele");
  name_->setMaxLength(UsersFile::kFieldLength);
  auto* passwordLabel = new QLabel("Parola", loginPanel_);
  password_ = new QLineEdit(loginPanel_);
  password_->setObjectName("Parola");
  password_->setMaxLength(UsersFile::kFieldLength);
  password_->setEchoMode(QLineEdit::Password);
  start_ = new ColourButton("START", loginPanel_);
  start_->setObjectName("START");
  static_cast<ColourButton*>(start_)->setColours(kButtonColours);
  start_->setFixedSize(kButtonWidth - 32, kButtonHeight - 12);
  for (QLabel* label : {nameLabel, passwordLabel}) label->setStyleSheet("color: white; font-weight: bold;");
  for (QLineEdit* edit : {name_, password_}) edit->setFixedWidth(170);
  connect(name_, &QLineEdit::returnPressed, password_, [this] { password_->setFocus(); });
  connect(password_, &QLineEdit::returnPressed, start_, &QPushButton::click);
  connect(start_, &QPushButton::clicked, this, &MainWindow::logIn);
  auto* loginLayout = new QHBoxLayout(loginPanel_);
  loginLayout->addWidget(nameLabel);
  loginLayout->addWidget(name_);
  loginLayout->addSpacing(12);
  loginLayout->addWidget(passwordLabel);
  loginLayout->addWidget(password_);
  loginLayout->addSpacing(12);
  loginLayout->addWidget(start_);

  menuPanel_ = new QWidget(bar);
  menuPanel_->setObjectName("PanelMeniu");
  new QHBoxLayout(menuPanel_);
  menuPanel_->layout()->setSpacing(6);

  date_ = new QLabel(bar);
  date_->setObjectName("Data");
  date_->setToolTip("Inchide programul.");
  date_->setCursor(Qt::PointingHandCursor);
  date_->setStyleSheet("color: white;");
  QFont dateFont = date_->font();
  dateFont.setPointSizeF(dateFont.pointSizeF() * 2.0);
  dateFont.setBold(true);
  date_->setFont(dateFont);
  date_->installEventFilter(this);

  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(10, 6, 16, 6);
  layout->addWidget(loginPanel_);
  layout->addWidget(menuPanel_);
  layout->addStretch(1);
  layout->addWidget(date_);

  status_ = new QLabel("F1 - Incasari", this);
  status_->setObjectName("StatusText");
  statusBar()->addWidget(status_);
  statusBar()->setSizeGripEnabled(false);
}

void MainWindow::buildEntries() {
  for (const MenuEntry& entry : mainMenuEntries()) {
    if (entry.parent.isEmpty()) {
      auto* button = new ColourButton(entry.caption, menuPanel_);
      button->setObjectName(entry.id);
      button->setColours(kButtonColours);
      button->setToolTip(entry.hint);
      button->setStatusTip(entry.hint);
      button->setFocusPolicy(Qt::TabFocus);
      QFont font = button->font();
      font.setBold(true);
      button->setFont(font);
      const int textWidth = QFontMetrics(font).horizontalAdvance(entry.caption) + 24;
      button->setFixedSize(std::max(kButtonWidth, textWidth), kButtonHeight);
      connect(button, &QPushButton::clicked, this, [this, id = entry.id] { runCommand(id); });
      menuPanel_->layout()->addWidget(button);
      buttons_.insert(entry.id, button);
      if (entry.kind == MenuEntry::Kind::Menu) {
        auto* popup = new QMenu(entry.caption, this);
        popup->setObjectName(entry.id + "Meniu");
        popup->setToolTipsVisible(true);
        connect(popup, &QMenu::aboutToShow, this, &MainWindow::applyRights);
        menus_.insert(entry.id, popup);
      }
      continue;
    }
    QMenu* parentMenu = menus_.value(entry.parent);
    if (entry.kind == MenuEntry::Kind::Separator) {
      QAction* separator = parentMenu->addSeparator();
      separator->setObjectName(entry.id);
      actions_.insert(entry.id, separator);
    } else if (entry.kind == MenuEntry::Kind::Menu) {
      QMenu* submenu = parentMenu->addMenu(entry.caption);
      submenu->setObjectName(entry.id + "Meniu");
      submenu->menuAction()->setObjectName(entry.id);
      menus_.insert(entry.id, submenu);
      actions_.insert(entry.id, submenu->menuAction());
    } else {
      QAction* item = parentMenu->addAction(entry.caption);
      item->setObjectName(entry.id);
      connect(item, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
      actions_.insert(entry.id, item);
    }
  }
}

void MainWindow::registerOwnCommands() {
  for (const MenuEntry& entry : mainMenuEntries())
    if (entry.parent.isEmpty() && entry.kind == MenuEntry::Kind::Menu)
      commands_.setHandler(entry.id, [this, id = entry.id] { popUp(id); });
  commands_.setHandler(MenuId::Iesire, [this] { logOut(); });
  commands_.setHandler(MenuId::ContulMeu, [this] { openOwnAccount(); });
  commands_.setHandler(MenuId::IstoricModificari, [this] { openLog(); });
  for (const MenuEntry& entry : mainMenuEntries())
    if (ModelDocuments::isModelItem(entry.id)) commands_.setHandler(entry.id, [this, id = entry.id] { openModel(id); });
}

void MainWindow::setCommand(const QString& id, MenuCommands::Handler handler) {
  commands_.setHandler(id, std::move(handler));
  applyRights();
}

QAbstractButton* MainWindow::button(const QString& id) const { return buttons_.value(id); }
QAction* MainWindow::action(const QString& id) const { return actions_.value(id); }
QMenu* MainWindow::menu(const QString& id) const { return menus_.value(id); }

bool MainWindow::isLoggedIn() const { return context_.user.isLoggedIn(); }
bool MainWindow::isUnattended() const { return !loggedInView_; }

void MainWindow::applyRights() {
  const int level = context_.user.level;
  for (const MenuEntry& entry : mainMenuEntries()) {
    const bool shown = commands_.accessFor(entry.id, level) != Access::Hidden;
    bool enabled = commands_.isEnabled(entry.id, level);
    if (ModelDocuments::isModelItem(entry.id)) enabled = enabled && models_.canOpen(entry.id);
    if (QAbstractButton* b = buttons_.value(entry.id)) {
      b->setVisible(shown);
      b->setEnabled(enabled);
    } else if (QAction* a = actions_.value(entry.id)) {
      a->setVisible(shown);
      a->setEnabled(entry.kind == MenuEntry::Kind::Separator ? false : enabled);
    }
  }
}

void MainWindow::runCommand(const QString& id) {
  if (!loggedInView_) return;
  commands_.run(id, context_.user, *context_.interaction);
}

void MainWindow::popUp(const QString& menuId) {
  QMenu* popup = menus_.value(menuId);
  QAbstractButton* anchor = buttons_.value(menuId);
  if (!popup || !anchor) return;
  applyRights();
  popup->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

QString MainWindow::settingsPath() const { return context_.paths.dataFile(SettingsFile::kFileName); }

void MainWindow::logIn() {
  UsersFile users = UsersFile::inDirectory(context_.paths.dataDir);
  const LoginResult result = dajdor::logIn(name_->text(), password_->text(), users, context_.user, *context_.interaction);
  name_->setText(result.name);
  if (!result.success) return;
  if (offerPreviousYear()) return;

  showMenuPanel();
  try {
    admin::loadUserOptions(context_.rates, SettingsFile(settingsPath()), context_.user.name);
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Setari"), sql::message(e));
  }
  if (context_.database) {
    try {
      ActionLog(*context_.database, context_.paths.dataDir).log(context_.clock.now(), name_->text(), QString(), ActionLog::loginText());
    } catch (const std::exception& e) {
      context_.interaction->error(QStringLiteral("Istoric actiuni"), sql::message(e));
    }
  }
  applyRights();
  setWindowTitle(kVersionTitle + QStringLiteral("  >> ") + context_.user.name);
  emit loggedIn(context_.user.name);
}

bool MainWindow::offerPreviousYear() {
  if (!previousYearImport) return false;
  const QString previousDataDir =
      previousYearOffer(context_.databaseEmpty, context_.user.level);
  if (previousDataDir.isEmpty()) return false;
  if (!context_.interaction->confirm(previousYearTitle(),
                                     QStringLiteral("Doriti importarea datelor din anul %1?").arg(kWorkYear - 1)))
    return false;
  if (!previousYearImport(previousDataDir)) return false;
  context_.interaction->info(previousYearTitle(), QStringLiteral("Importul s-a incheiat cu succes!\rPorniti programul din nou!"));
  close();
  return true;
}

void MainWindow::logOut() {
  context_.user.logOut();
  password_->clear();
  setWindowTitle(kVersionTitle);
  showLoginPanel();
  applyRights();
  emit loggedOut();
}

void MainWindow::showLoginPanel() {
  loggedInView_ = false;
  menuPanel_->hide();
  loginPanel_->show();
  password_->setFocus();
}

void MainWindow::showMenuPanel() {
  loggedInView_ = true;
  loginPanel_->hide();
  menuPanel_->show();
}

void MainWindow::openOwnAccount() {
  account_->load(context_.user);
  if (account_->exec() != QDialog::Accepted) return;
  UsersFile users = UsersFile::inDirectory(context_.paths.dataDir);
  saveOwnAccount(users, context_.user, account_->newPassword(), account_->legitimation(), *context_.interaction);
}

void MainWindow::openLog() {
  QString error;
  if (!context_.database) {
    context_.interaction->error(QStringLiteral("Istoric actiuni"), QStringLiteral("Baza de date nu este deschisa."));
    return;
  }
  if (!logView_->reload(*context_.database, context_.paths.dataDir, error)) {
    context_.interaction->error(QStringLiteral("Istoric actiuni"), error);
    return;
  }
  logView_->exec();
}

void MainWindow::openModel(const QString& id) {
  QString error;
  if (!models_.open(id, error)) context_.interaction->error(QStringLiteral("Modele listare"), error);
  applyRights();
}

void MainWindow::dailyImportTick() {
  dailyImportTimer_.stop();
  try {
    SettingsFile settings(settingsPath());
    switch (claimDailyImport(settings, context_.rates, context_.paths.isLocal(), context_.clock.now(),
                             static_cast<bool>(dailyImport))) {
      case DailyImportStep::Stop:
        return;
      case DailyImportStep::WaitAndRetry:
        dailyImportTimer_.start();
        return;
      case DailyImportStep::Run:
        if (dailyImport()) dailyImportTimer_.start();
        return;
    }
  } catch (const std::exception& e) {
    context_.interaction->error(QStringLiteral("Actualizare din RA"), sql::message(e));
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (const QScreen* shown = screen()) {
    const QRect area = shown->availableGeometry();
    setGeometry(area.x(), area.y(), area.width(), height());
  }
  date_->setText(context_.clock.today().toString(kDateFormat));
  dailyImportTimer_.start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (backupAtExit) {
    const QString archive =
        exitBackupTarget(context_.paths.isLocal(), context_.clock.today(), *context_.interaction);
    if (!archive.isEmpty()) backupAtExit(archive);
  }
  dailyImportTimer_.stop();
  event->accept();
  QCoreApplication::quit();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == date_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    close();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace dajdor
