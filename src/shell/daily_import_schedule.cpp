#include "shell/daily_import_schedule.h"

#include "store/day_number.h"

namespace dajdor {

DailyImportStep nextDailyImportStep(const DailyImportState& state) {
  if (!state.enabled || !state.worksLocally) return DailyImportStep::Stop;
  bool ok = false;
  const int lastRun = state.lastRunDay.trimmed().toInt(&ok);
  if ((ok ? lastRun : 0) == state.today) return DailyImportStep::Stop;
  if (state.now < state.startTime) return DailyImportStep::WaitAndRetry;
  return DailyImportStep::Run;
}

DailyImportStep claimDailyImport(SettingsFile& settings, const admin::Rates& rates, bool worksLocally,
                                 const QDateTime& now, bool importInstalled) {
  const int today = dayNumber(now.date());
  const DailyImportState state{rates.autoImport(), worksLocally, today,
                               settings.ReadSetting(kDailyImportSection, kDailyImportKey), now.time(),
                               rates.autoImportTime()};
  const DailyImportStep step = nextDailyImportStep(state);
  if (step != DailyImportStep::Run) return step;
  if (!importInstalled) return DailyImportStep::Stop;
  settings.WriteSetting(kDailyImportSection, kDailyImportKey, QString::number(today));
  return step;
}

}  // namespace dajdor
