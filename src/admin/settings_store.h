// Loading and saving the administration window's values: the rows of Ini.dbf
// and the options of Dajdor.set.
#pragma once

#include "admin/rates.h"

#include <QString>

namespace engine {
class Database;
}

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::admin {

inline const QString kIniTable = QStringLiteral("Ini.dbf");
inline const QString kServerSection = QStringLiteral("Server");
constexpr int kIniValueWidth = 40;  // VALOARE CHAR(40)

// Where the settings of one run live.
struct SettingsStores {
  engine::Database& database;  // on the data directory
  SettingsFile& settings;      // Dajdor.set of the data directory
  QString userName;            // section of the per-user options
  int workYear = 0;            // names the closed-year option
};

// Values from Ini.dbf (rows naming no input are ignored; a missing table leaves
// the initial values), then the options of the settings file, which win for the
// legal and natural persons' building rates, and the server and backup paths
// of this machine's settings. Writes FARAMAJORARI and the
// closed-year option as "NU" when they are missing. Throws engine::Error or
// StoreError when a store cannot be read.
Rates LoadSettings(const SettingsStores& stores);

// The per-user options of `userName` from the settings file into `values`, as
// LoadSettings reads them; for the user who has just logged in.
void loadUserOptions(Rates& values, const SettingsFile& settings, const QString& userName);

// The first value that cannot be stored, as a problem for that input; false when
// every value can be stored.
struct SettingProblem {
  QString field;
  QString text;
};
bool findSettingProblem(const Rates& values, SettingProblem& problem);

// Writes every value: the options to the settings file, the inputs to Ini.dbf
// (recreated first when missing). Either everything is written or, after a
// failure, the stores keep their old values. Reports a value that cannot be
// stored or a failing store through `interaction` and returns false.
bool SaveSettings(const SettingsStores& stores, const Rates& values, Interaction& interaction);

// Ini.dbf anew: one row per stored input with its current text, the window's
// inputs first, then those of the two vehicle panels.
void CreateSettingsTable(engine::Database& database, const Rates& values);

}  // namespace dajdor::admin
