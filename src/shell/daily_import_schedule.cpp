#include "shell/daily_import_schedule.h"

namespace dajdor {

DailyImportStep nextDailyImportStep(const DailyImportState& state) {
  if (!state.enabled || !state.worksLocally) return DailyImportStep::Stop;
  bool ok = false;
  const int lastRun = state.lastRunDay.trimmed().toInt(&ok);
  if ((ok ? lastRun : 0) == state.today) return DailyImportStep::Stop;
  if (state.now < state.startTime) return DailyImportStep::WaitAndRetry;
  return DailyImportStep::Run;
}

}  // namespace dajdor
