// What one run of the program shares: owned by main() and handed to every window
// and operation that needs it, instead of being reached through window pointers.
#pragma once

#include "admin/rates.h"
#include "store/clock.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/paths.h"
#include "users/current_user.h"

#include <QStringList>

#include <memory>

namespace dajdor {

struct AppContext {
  Paths paths;
  // How operations report and ask: the message window, balloons and progress
  // window in the program, a scripted fake in tests.
  Interaction* interaction = nullptr;
  // Opened on paths.dataDir once start-up has decided which directory this run
  // uses; null when that directory could not be opened.
  std::unique_ptr<engine::Database> database;
  // Who is logged in (level 3 until login).
  CurrentUser user;
  // Every rate and option of the administration, loaded at start-up.
  admin::Rates rates;
  // The moment operations use; tests and unattended runs fix it.
  Clock clock;

  // Learnt during start-up.
  bool databaseEmpty = false;  // Gospodar.dbf had no rows
  QStringList villages;        // taxpayer villages, then the remaining localities
};

}  // namespace dajdor
