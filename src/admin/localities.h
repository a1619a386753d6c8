// The localities of the commune with the tax zone and rank of each (DefZone.dbf).
#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace engine {
class Database;
}

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::admin {

inline const QString kLocalityTable = QStringLiteral("DefZone.dbf");

// Inputs of the locality editor, named for the problems reported on them.
inline const QString kLocalityField = QStringLiteral("LocalityEdit");
inline const QString kZoneField = QStringLiteral("ZoneCombo");
inline const QString kRankField = QStringLiteral("RankCombo");
constexpr int kLocalityWidth = 32;

struct Locality {
  std::int64_t id = 0;
  QString name;  // upper case, unique
  QString zone;  // A to D
  QString rank;  // 0, I ... V
};

// Every locality, ordered by name.
QList<Locality> listLocalities(engine::Database& database);

// What the editor's "&Memoreaza" checks: the name cleaned of extra blanks and
// upper-cased (written back into `locality`), not empty, storable, and not
// held by another locality (`editedId` is the row being modified, excluded from
// the check). Problems are reported on the editor's inputs; true when it may close.
bool checkLocality(engine::Database& database, Locality& locality,
                   std::optional<std::int64_t> editedId, Interaction& interaction);

// A new row with the next DEFZONE identifier; returns the identifier.
std::int64_t addLocality(engine::Database& database, SettingsFile& settings,
                         const Locality& locality);
void modifyLocality(engine::Database& database, const Locality& locality);
void deleteLocality(engine::Database& database, std::int64_t id);

// The row to select after deleting row `deleted` of a list that had `count`
// rows: the next one, the previous one when it was the last, none (-1) when the
// list is empty.
int rowAfterDeletion(int deleted, int count);

}  // namespace dajdor::admin
