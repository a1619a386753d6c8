// Fines and taxes imposed during the year: Datorii rows of kind "M", entered one
// by one from the "Operatiuni in timpul anului" page of the register or from the
// collections window. A payment lowers SUMA or REST, so a row whose SUMA2 or
// RESTINI differs from them has had a receipt cut on it: its group is then
// fixed and the row cannot be deleted.
#pragma once

#include "store/currency.h"
#include "store/engine/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::reg {

inline const QString kFineKind = QStringLiteral("M");
inline constexpr int kExplanationWidth = 50;  // DOCJUS

// The inputs of TFTaxe, named for the problems reported on them, and the grid
// of the page, named for "nothing to change / delete".
namespace FineField {
inline const QString Group = QStringLiteral("CreantaBox");
inline const QString Explanation = QStringLiteral("DOCJUS");
inline const QString Reduction = QStringLiteral("Reduc");
inline const QString Grid = QStringLiteral("TaxeGrid");
}  // namespace FineField

// One row as the fines grid shows it.
struct Fine {
  std::int64_t iddat = 0;
  QDate day;            // DINDATA
  QString group;        // GRUPA, also DENUM
  QString explanation;  // DOCJUS
  std::int64_t number = 0;     // NR
  std::int64_t amount = 0;     // SUMA: current amount still owed
  std::int64_t arrears = 0;    // REST
  std::int64_t reduction = 0;  // REDUC: bonus
  std::int64_t assessed = 0;        // SUMA2
  std::int64_t initialArrears = 0;  // RESTINI

  bool receiptCut() const { return assessed != amount || initialArrears != arrears; }
};

// What the dialog holds when "&Memoreaza" is pressed: amounts as typed.
struct FineEntry {
  QDate day;
  QString group;
  QString explanation;
  Currency number, amount, arrears, reduction;
};

// Whose fine it is: copied into the row.
struct FineOwner {
  std::int64_t idgos = 0;
  QString village;  // SATUL
  QString role;     // ROL
};

// How REDUCP of a new row is set: 0 as the register stores it, or the bonus as
// a percent of what is owed, as the collections window stores it.
enum class ReductionPercent { Zero, OfOwed };

// The tax groups offered for a fine or tax: the CODCL groups not of type "I".
QStringList fineGroups(engine::Database& db, const QString& dataDir);
// The taxes offered for a whole village: the CODCL groups of type "T".
QStringList villageTaxes(engine::Database& db, const QString& dataDir);

// The taxpayer's rows of kind "M", oldest first.
QList<Fine> finesOf(engine::Database& db, const QString& dataDir, std::int64_t idgos);

// TFTaxe's store checks: current and arrears at once, an explanation that
// cannot be stored, no amount at all. Tells `ui` and returns false; on success
// the explanation is cleaned of extra blanks and the number is whole.
bool checkFineEntry(FineEntry& entry, Interaction& ui);

// The bonus as a whole percent of SUMA + REST, truncated; 0 when nothing is
// owed (the percent is undefined), at most 100.
std::int64_t fineReductionPercent(std::int64_t amount, std::int64_t arrears, std::int64_t reduction);

// Inserts the row with the next IDDAT; returns it.
std::int64_t addFine(engine::Database& db, const QString& dataDir, SettingsFile& settings, const FineOwner& owner,
                     const FineEntry& entry, ReductionPercent percent = ReductionPercent::Zero);
// "&Modifica": the group of a row with a receipt cut stays (told, nothing
// written); otherwise the row takes the typed values and SUMA2 / RESTINI move
// by as much as SUMA / REST did. True when written.
bool modifyFine(engine::Database& db, const QString& dataDir, const Fine& before, const FineEntry& entry,
                Interaction& ui);
// "&Sterge": refused for no row (yearRowChosen) or a row with a receipt cut; asked; true when deleted.
bool deleteFine(engine::Database& db, const QString& dataDir, std::int64_t idgos, const std::optional<Fine>& row,
                Interaction& ui);

// A row of one of the page's grids chosen for "&Modifica" / "&Sterge"; when
// there is none, "Nu aveti ce modifica!" / "Nu aveti ce sterge!" on `grid`.
bool yearRowChosen(bool chosen, bool toChange, const QString& grid, Interaction& ui);

// The entry the dialog shows for a stored row.
FineEntry entryOf(const Fine& fine);

}  // namespace dajdor::reg
