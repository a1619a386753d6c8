// The program: one copy per machine, the start-up window, then the main window.
#include "admin/administration_window.h"
#include "admin/settings_catalogue.h"
#include "collect/cancelled_receipts_window.h"
#include "collect/taxpayer_search_window.h"
#include "cash/cash_register_window.h"
#include "cash/period_dialog.h"
#include "register/register_window.h"
#include "report/report_preview_dialog.h"
#include "session/app_context.h"
#include "shell/interaction_window.h"
#include "shell/main_window.h"
#include "shell/progress_window.h"
#include "shell/single_instance.h"
#include "shell/startup_window.h"
#include "store/lists.h"
#include "store/machine_settings.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"
#include "widgets/bring_to_front.h"
#include "widgets/desktop_open.h"
#include "widgets/program_setup.h"

#include <QApplication>

#include <memory>

namespace {

using namespace dajdor;

// The windows that work on the data directory; made once start-up has chosen it.
struct WorkWindows {
  std::unique_ptr<SettingsFile> settings;
  MachineSettings machine;
  std::unique_ptr<MainWindow> main;
  admin::AdministrationWindow* administration = nullptr;  // owned by the main window
  reg::RegisterWindow* taxpayers = nullptr;               // owned by the main window
  cash::PeriodDialog* period = nullptr;                   // owned by the main window; one for every caller
  cash::CashRegisterWindow* cashRegister = nullptr;       // owned by the main window
  std::unique_ptr<report::DesktopReportPresenter> reports;
  collect::CancelledReceiptsWindow* cancelledReceipts = nullptr;  // owned by the main window

  void build(AppContext& context, ProgressWindow& progress) {
    main = std::make_unique<MainWindow>(context);
    progress.setMainWindow(main.get());
    if (context.database) {
      settings = std::make_unique<SettingsFile>(context.paths.dataFile(SettingsFile::kFileName));
      administration = new admin::AdministrationWindow(
          admin::AdministrationServices{context.paths, *context.database, *settings, machine,
                                        *context.interaction, context.rates, kWorkYear, &context.user},
          main.get());
      taxpayers = new reg::RegisterWindow(context, main.get());
      main->setCommand(MenuId::GospodariiRoluri, [this] { taxpayers->ShowRegister(); });
      main->setCommand(MenuId::Incasari,
                       [this, &context] { collect::TaxpayerSearchWindow::runCollections(context, main.get()); });
      period = new cash::PeriodDialog(context.clock.today(), *context.interaction, main.get());
      cashRegister = new cash::CashRegisterWindow(context, *settings, *period, openWithDesktop, main.get());
      main->setCommand(MenuId::RegistruDeCasa, [this] { cashRegister->showRegister(); });
      reports = std::make_unique<report::DesktopReportPresenter>(main.get());
      cancelledReceipts = new collect::CancelledReceiptsWindow(context, *reports, main.get());
      main->setCommand(MenuId::ChitanteAnulate, [this] { cancelledReceipts->showCancelled(); });
      main->setCommand(MenuId::Administrare, [this, &context] {
        administration->setUserName(context.user.name);
        administration->showAdministration();
      });
      // The user's own options (the PDF receipt among them) apply from the login on.
      QObject::connect(main.get(), &MainWindow::loggedIn, administration,
                       &admin::AdministrationWindow::setUserName);
      // A new connection takes effect at the next start.
      QObject::connect(administration, &admin::AdministrationWindow::endProgramRequested, main.get(),
                       &QWidget::close);
      // The village list ends with the localities, which the administration may have changed.
      QObject::connect(administration, &admin::AdministrationWindow::settingsSaved, main.get(), [&context] {
        try {
          context.villages = FillVillageList(*context.database, context.paths.dataDir);
        } catch (const std::exception& e) {
          context.interaction->error(QStringLiteral("Lista localitatilor"), sql::message(e));
        }
      });
    }
    main->show();
  }

  // The window a second start of the program brings forward.
  QWidget* front(QWidget* startup) const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (main && main->isVisible()) return main.get();
    return startup;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  setUpProgram(app, kApplicationTitle);

  SingleInstance instance(kApplicationTitle);
  if (!instance.claim()) return 0;

  AppContext context;
  context.paths = Paths::forAppDir(QCoreApplication::applicationDirPath());
  ProgressWindow progress;
  WidgetInteraction interaction(progress);
  context.interaction = &interaction;

  WorkWindows windows;
  StartupWindow startup(context, admin::initialIniRows());
  QObject::connect(&startup, &StartupWindow::handedOver, [&] { windows.build(context, progress); });
  QObject::connect(&instance, &SingleInstance::activationRequested,
                   [&] { bringToFront(windows.front(&startup)); });
  startup.show();
  return QApplication::exec();
}
