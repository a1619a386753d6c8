// The register's operations on taxpayers: the role proposed for a new one, the
// checks of the editor, adding, changing and deleting. The windows call these;
// every write is one transaction, so a failure leaves the register as it was.
#pragma once

#include "register/taxpayer.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace engine {
class Database;
class RowSource;
}  // namespace engine

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::admin {
class Rates;
}

namespace dajdor::reg {

// The role proposed for a new taxpayer: the largest numeric role plus one.
// Roles that are not numbers do not count; "1" for an empty register and when
// the roles cannot be read.
QString proposeRole(engine::Database& db, const QString& dataDir);

// What the editor's "&Memoreaza" decides.
struct StoreDecision {
  bool store = false;
  QString focus;  // the input to put the caret in when not storing
};

// Cleans the typed taxpayer (blanks, upper case) and checks it: village, role,
// code and name present and storable, then the warnings about a role or a code
// another taxpayer already has, which the user may override with "DA". When
// `adding` is false the taxpayer's own row (`taxpayer.idgos`) does not count.
// Problems are reported on the editor's inputs.
StoreDecision checkTaxpayer(engine::Database& db, const QString& dataDir, Taxpayer& taxpayer, bool adding,
                            Interaction& interaction);

// A new taxpayer with the next IDGOS and the empty pages of his file; returns
// the IDGOS.
std::int64_t AddTaxpayer(engine::Database& db, const QString& dataDir, SettingsFile& settings,
                         const Taxpayer& taxpayer, const admin::Rates& rates);

// Writes the changed row (`after.idgos`) and carries a changed village or role
// into the taxpayer's debts (Datorii) and balances (SoldCalc) that still show
// the old ones. Receipts and the other tables keep what they recorded.
void modifyTaxpayer(engine::Database& db, const QString& dataDir, const Taxpayer& before, const Taxpayer& after);

// The four questions before a deletion; true when every one was answered "DA".
bool confirmDeletion(const Taxpayer& taxpayer, Interaction& interaction);
// Removes the taxpayer with his pages, debts, balances, receipts and payment
// snapshots; his Debit and AutoDet rows stay.
void deleteTaxpayer(engine::Database& db, const QString& dataDir, std::int64_t idgos, Interaction& interaction);

// The taxpayer on one row of a statement that selects the fields of Gospodar.dbf.
Taxpayer taxpayerAt(const engine::RowSource& rows, std::size_t row);
std::optional<Taxpayer> findTaxpayer(engine::Database& db, const QString& dataDir, std::int64_t idgos);

}  // namespace dajdor::reg
