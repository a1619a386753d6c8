// What every payment, cancellation and history operation works with: the data
// directory, its settings file (counters, series), the logged-in user, the rates
// and the moment of the operation. The windows build it from the run's context;
// tests and the command line build it themselves.
#pragma once

#include "admin/rates.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/version.h"
#include "users/current_user.h"

#include <QDateTime>
#include <QString>

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

struct PaymentContext {
  engine::Database& data;  // durable, on dataDir
  QString dataDir;
  SettingsFile settings;   // dataDir/Dajdor.set
  const CurrentUser& user;
  const admin::Rates& rates;
  QDateTime now;           // when the action log says it happened
  int workYear = kWorkYear;

  // The run's data directory, user, rates and clock.
  static PaymentContext of(AppContext& context);
};

// A problem to show: a message (field empty) or a balloon on the named input.
struct Problem {
  QString title;
  QString text;
  QString field;  // objectName of the input at fault; "" for a message
  bool isMessage() const { return field.isEmpty(); }
};

}  // namespace dajdor::collect
