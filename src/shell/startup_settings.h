// The pieces of start-up that join the store's sequence to the administration:
// the rows Ini.dbf is created with, and the settings loaded into the run.
#pragma once

#include "store/ini_row.h"

#include <QList>

namespace dajdor {

struct AppContext;

// Every stored input of the administration's catalogue, as Ini.dbf starts.
QList<IniRow> initialSettingsRows();

// Loads the rates and options of the data directory into `context.rates`. A
// store that cannot be read is reported and the initial values stay.
void loadSettings(AppContext& context);

}  // namespace dajdor
