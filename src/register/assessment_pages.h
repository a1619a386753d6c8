// The assessment file of a taxpayer: one row per taxpayer in each page table.
//
// A page's values travel as texts keyed by input name (page_catalogue.h):
// quantities as numbers with '.' ("12.5"), list positions as whole numbers ("-1"
// when nothing is chosen), zone and rank as the item's text, ticks as "DA"/"NU",
// dates as "dd.MM.yyyy". The windows show and collect exactly these texts; every
// read and write of the tables happens here.
#pragma once

#include "admin/rates.h"
#include "register/page_catalogue.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/version.h"

#include <QHash>
#include <QString>

namespace dajdor {
class SettingsFile;
}

namespace dajdor::reg {

using PageValues = QHash<QString, QString>;

// Where the pages are kept and what their defaults depend on.
struct AssessmentFile {
  engine::Database& db;
  QString dataDir;
  const admin::Rates& rates;
  int workYear = kWorkYear;
};

struct LoadedPage {
  PageValues values;
  bool legalPerson = false;  // the taxpayer's TIP is "JURIDICA"
};

// A refusal of a page's values: the message and the input it is about.
struct PageProblem {
  QString text;
  QString field;
  bool isEmpty() const { return text.isEmpty(); }
};

enum class StoreOutcome {
  Stored,
  Refused,  // a check failed; the user was told at the input; nothing written
  Locked,   // the register is locked; the user was told; nothing written
  Failed,   // the engine refused; the user was shown its message; nothing written
};

struct StoreResult {
  StoreOutcome outcome = StoreOutcome::Stored;
  QString field;  // the input a refusal is about
  bool stored() const { return outcome == StoreOutcome::Stored; }
};

// The default text of one input for a new file.
QString defaultValue(const PageInput& input, const admin::Rates& rates, int workYear = kWorkYear);

// ClearPage: every input of page n at its default, displays computed; no table touched.
PageValues ClearPage(int page, const admin::Rates& rates, int workYear = kWorkYear);

// LoadPage: the taxpayer's values of page n. A missing row is created with the
// defaults (and the defaults returned); a zone or rank that its list does not hold
// reads as the default one. Throws on an engine failure.
LoadedPage LoadPage(const AssessmentFile& file, int page, qint64 idgos);

// The checks made before storing: values that do not fit their column, a car over
// 3000 cm3 with a smaller capacity (page 5), a "Plus" beside arrears of the same
// tax (page 11). Empty when the values can be stored.
PageProblem checkPage(int page, const PageValues& values);

// StorePage: writes page n of the taxpayer in one statement (and its row first,
// in the same transaction, when the row is missing). Refuses, telling `ui`, when
// a check fails or the register is locked; an engine failure is shown through
// `ui` too. Nothing is written unless the result is Stored.
StoreResult StorePage(const AssessmentFile& file, int page, qint64 idgos, const PageValues& values,
                      Interaction& ui);

// RegisterLocked: the work year is closed ("ADMINBLOCAT<year>" of section
// "Server" is "DA"); pages may be edited on screen but not stored. A settings
// file that cannot be read counts as locked, so nothing is stored blindly.
bool RegisterLocked(const SettingsFile& settings, int workYear = kWorkYear);
bool RegisterLocked(const QString& dataDir, int workYear = kWorkYear);

// The taxable-value displays of the buildings pages, recomputed from the other
// values of the page (pages 2 and 3; other pages have none).
void updateDisplays(int page, PageValues& values, const admin::Rates& rates);
// Rate of the building's kind, zone and rank times the area ("general" number text).
QString buildingTaxableValue(const admin::Rates& rates, int material, const QString& zone, const QString& rank,
                             const QString& area);
QString annexTaxableValue(const admin::Rates& rates, int material, const QString& zone, const QString& rank,
                          const QString& area);

// CreateEmptyPages: the rows of a new taxpayer's file with their defaults, in
// every page table that has none for him yet, inside the caller's transaction
// (or one of its own when the caller has none).
void CreateEmptyPages(engine::Database& db, const QString& dataDir, qint64 idgos, const admin::Rates& rates);

}  // namespace dajdor::reg
