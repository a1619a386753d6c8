// When the minute timer of the main window runs the daily import from the
// agricultural register: at most once a day (the day is recorded whatever the
// outcome), only on the machine that works on its own data directory, and not
// before the configured time of day.
#pragma once

#include "admin/rates.h"
#include "store/settings_file.h"

#include <QDateTime>
#include <QString>
#include <QTime>

namespace dajdor {

enum class DailyImportStep {
  Stop,          // not today, not here, or already done: the timer stays stopped
  WaitAndRetry,  // too early in the day: restart the timer
  Run,           // run the import now
};

struct DailyImportState {
  bool enabled = false;       // AUTORA
  bool worksLocally = false;  // the run works on its own data directory
  int today = 0;              // today's day number
  QString lastRunDay;         // setting "AutoRADate" of section "Server" ("" when missing)
  QTime now;
  QTime startTime;  // ORAAUTORA
};

DailyImportStep nextDailyImportStep(const DailyImportState& state);

// Section and key where the day of the last run is recorded.
inline const QString kDailyImportSection = QStringLiteral("Server");
inline const QString kDailyImportKey = QStringLiteral("AutoRADate");

// The step for this tick, decided from the settings file and the rates. When it
// is Run, today is recorded first: whatever the outcome, even a failure
// half-way, the import is not tried again today. Without an import installed,
// a due run is not recorded and Stop is returned.
DailyImportStep claimDailyImport(SettingsFile& settings, const admin::Rates& rates, bool worksLocally,
                                 const QDateTime& now, bool importInstalled);

}  // namespace dajdor
