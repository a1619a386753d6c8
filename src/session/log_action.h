// LogAction for the operations of a run.
#pragma once

#include "session/app_context.h"

#include <QString>

namespace dajdor {

// The entry is written in the run's data directory, at the run's clock, under the
// logged-in user's name (the name the login input shows). Throws engine::Error
// when the log cannot be written.
void LogAction(AppContext& context, const QString& role, const QString& text);

}  // namespace dajdor
