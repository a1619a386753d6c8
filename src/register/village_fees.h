// The two operations of the year for a whole village: one fixed tax added to
// every taxpayer ("Adauga o taxa la to&ti") and one other-tax quantity set for
// every taxpayer ("Adauga la Alte taxe o cantitate fi&xa"). Each is one
// transaction: after an error no taxpayer of the village has the tax and no
// quantity is half set. Neither uses a work table.
#pragma once

#include "store/currency.h"
#include "store/engine/database.h"

#include <QString>

#include <optional>

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::reg {

struct VillageRun {
  engine::Database& db;
  QString dataDir;
  SettingsFile& settings;
  Interaction& ui;
  int workYear;
  // Asked and told through `ui`; unattended the question is skipped and the
  // closing message only returned.
  bool unattended = false;
  // Rows per INSERT statement (more make fewer statements to parse).
  int rowsPerStatement = 200;
};

// The village combo's text: "Alegeti mai intai o localitate!" on it when empty.
bool villageChosen(const QString& village, Interaction& ui);

struct VillageTax {
  QString village;
  QString tax;
  QString valueText;  // as typed: the messages repeat it
  bool onlyWithHouses = false;  // "Adauga numai gospodariilor cu case"
};
// Asks, then adds one row of kind "M" dated 1 January to every taxpayer of the
// village who has a buildings page (with buildings when `onlyWithHouses`). The
// closing message, or nothing when the user said no or it failed (told).
std::optional<QString> AddTaxToVillage(const VillageRun& run, const VillageTax& request);

// The six taxes of the other-taxes page, in column order.
QStringList fixedQuantityTaxes();

struct VillageQuantity {
  QString village;
  QString tax;  // one of fixedQuantityTaxes()
  Currency quantity;  // its whole part is set
};
// Asks, then sets LIN<k> of Pag7 for every taxpayer of the village (a missing
// page row is made with the other quantities 0). The closing message, or nothing.
std::optional<QString> SetVillageQuantity(const VillageRun& run, const VillageQuantity& request);

}  // namespace dajdor::reg
