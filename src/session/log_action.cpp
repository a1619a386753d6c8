#include "session/log_action.h"

#include "users/action_log.h"

namespace dajdor {

void LogAction(AppContext& context, const QString& role, const QString& text) {
  if (!context.database) throw engine::Error("Baza de date nu este deschisa.");
  ActionLog(*context.database, context.paths.dataDir).log(context.clock.now(), context.user.name, role, text);
}

}  // namespace dajdor
