// Start-up's last step: the administration's settings loaded into the run.
#pragma once

namespace dajdor {

struct AppContext;

// Loads the rates and options of the data directory into `context.rates`. A
// store that cannot be read is reported and the values in use (at start-up the
// initial ones) stay.
void loadSettings(AppContext& context);

}  // namespace dajdor
