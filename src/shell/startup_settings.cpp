#include "shell/startup_settings.h"

#include "admin/settings_store.h"
#include "session/app_context.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"

namespace dajdor {

void loadSettings(AppContext& context) {
  if (!context.database) return;
  SettingsFile settings(context.paths.dataFile(SettingsFile::kFileName));
  try {
    context.rates = admin::LoadSettings({*context.database, settings, context.user.name, kWorkYear});
  } catch (const std::exception& e) {
    if (context.interaction) {
      context.interaction->error(QStringLiteral("Setari"),
                                 QStringLiteral("Setarile programului nu au putut fi citite:\r") +
                                     sql::message(e) +
                                     QStringLiteral("\rSe lucreaza cu valorile initiale."));
    }
  }
}

}  // namespace dajdor
