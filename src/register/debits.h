// Debits during the year (Debit.dbf): a purchase or sale of taxable property, a
// reduction or increase of a tax, or a tax, each also describing which field
// of the assessment file it changes, so that next year's takeover applies
// purchases and sales to the file.
#pragma once

#include "store/currency.h"
#include "store/engine/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::reg {

inline const QString kDebitTable = QStringLiteral("Debit.dbf");

// The categories of CategBox, in its order.
QStringList debitCategories();  // "Cumparare", "Vanzare", "Reducere", "Majorare", "Taxa"
// The groups of ImpozitBox: the four main taxes.
QStringList debitGroups();

// The details tab that follows the tax group (and, for buildings, the person).
enum class DebitTab { ConF, ConJ, TI, TE, ITM };
DebitTab debitTab(const QString& group, bool legalPerson);
QString tabName(DebitTab tab);  // "ConF" ...

// TAddImpozit's inputs, named for the problems reported on them.
namespace DebitField {
inline const QString Area = QStringLiteral("SupCon1");
inline const QString Year = QStringLiteral("AnCon1");
inline const QString InventoryValue = QStringLiteral("ValInvCon2");
inline const QString BuiltSurface = QStringLiteral("Supraf3");
inline const QString Capacity = QStringLiteral("Capac");
inline const QString Count = QStringLiteral("BucE");
inline const QString Amount = QStringLiteral("SUMA");
inline const QString Explanation = QStringLiteral("DOCJUS");
inline const QString Grid = QStringLiteral("DebiteGrid");
}  // namespace DebitField

// Every input of the dialog, whatever tab is shown.
struct DebitEntry {
  QDate day;             // DINDATA
  QString group;         // ImpozitBox
  QString category;      // CategBox
  QString explanation;   // DOCJUS
  Currency number;       // Nr
  bool legalPerson = false;
  // ConF and ConJ: "Cladiri" or "Cladiri anexe".
  bool annex = false;
  Currency area;          // SupCon1
  Currency year;          // AnCon1
  int material = 0;       // ComboBox16: position
  QString zone, rank;     // ZonaCon1, RangCon1
  Currency inventoryValue;        // ValInvCon2
  bool depreciated = false;       // AmortizCon2
  bool unevaluated = false;       // NeevalA2
  // TI
  QString builtCategory;  // TICategBox
  Currency builtSurface;  // Supraf3
  QString builtZone;      // Zona3
  // TE
  QString openCategory;   // TECategBox
  Currency openSurface;   // Supraf4
  QString openZone;       // Zona4
  // ITM
  QString vehicle;        // ITMCategBox
  Currency capacity;      // Capac
  Currency count;         // BucE
  Currency amount;        // SUMA: lei, never negative
};

// The inputs reset: today, the first group, category and items, the
// administration's default zone and rank, the work year, everything else 0.
DebitEntry resetDebitEntry(const QDate& today, const QString& defaultZone, const QString& defaultRank, int workYear,
                           bool legalPerson);

// The first day of the month two months after `day`: penalties of the debit run
// from there.
QDate penaltyStart(const QDate& day);

// TAddImpozit's store checks by tab; the values the category does not use are
// put to 0. Tells `ui` and returns false when refused.
bool checkDebitEntry(DebitEntry& entry, int workYear, Interaction& ui);

// The 24 texts of a debit: group, explanation, category, DINDATA, PENDATA,
// DENUM, FISIER, eight (column, value) pairs, amount (negated for "Vanzare" and
// "Reducere"). Unused pairs are empty.
using DebitDescription = std::array<QString, 24>;
DebitDescription BuildDebitDescription(const DebitEntry& entry);

// One row as the debits grid shows it.
struct Debit {
  std::int64_t iddeb = 0;
  std::int64_t idgos = 0;
  QString group, explanation, category, name, file;
  std::int64_t number = 0;
  QDate day, penaltyDay;
  std::array<QString, 8> fields, values;
  std::int64_t initial = 0;  // SUMAINI
  std::int64_t unpaid = 0;   // SUMAC

  bool paidOn() const { return initial != unpaid; }
};

QList<Debit> debitsOf(engine::Database& db, const QString& dataDir, std::int64_t idgos);
// The inputs as the dialog shows a stored row: the reset entry filled back.
DebitEntry entryOf(const Debit& debit, DebitEntry reset);

// Inserts the debit with the next IDDEB; returns it.
std::int64_t addDebit(engine::Database& db, const QString& dataDir, SettingsFile& settings, std::int64_t idgos,
                      const DebitEntry& entry);
// Asks first when something was paid on it; SUMAC keeps what was paid. True when written.
bool modifyDebit(engine::Database& db, const QString& dataDir, const Debit& before, const DebitEntry& entry,
                 Interaction& ui);
// Refused for no row or one with a payment; asked; true when deleted.
bool deleteDebit(engine::Database& db, const QString& dataDir, const std::optional<Debit>& row, Interaction& ui);

}  // namespace dajdor::reg
