// Tax groups with the budget accounts natural and legal persons pay into (CODCL.dbf).
#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace engine {
class Database;
}

namespace dajdor {
class Interaction;
class SettingsFile;
}  // namespace dajdor

namespace dajdor::admin {

inline const QString kBudgetCodeTable = QStringLiteral("CODCL.dbf");
inline const QString kReceiptTable = QStringLiteral("Chitante.dbf");
inline const QString kDefaultBudgetOrder = QStringLiteral("TIP, GRUPA");

// Inputs of the budget code editor, named for the problems reported on them.
inline const QString kGroupNameField = QStringLiteral("GroupNameEdit");
inline const QString kNaturalAccountField = QStringLiteral("NaturalAccountEdit");
inline const QString kLegalAccountField = QStringLiteral("LegalAccountEdit");
constexpr int kGroupNameWidth = 60;
constexpr int kAccountWidth = 24;
// Groups 1 to 12 come with the table and the program relies on them.
constexpr std::int64_t kLastProtectedGroup = 12;

struct BudgetCode {
  std::int64_t id = 0;
  QString group;
  QString naturalAccount;  // CODCLF
  QString legalAccount;    // CODCLJ
  QString type;            // "I" tax, "T" fee
};

// Every group in the given order ("TIP, GRUPA", or one column: GRUPA, CODCLF, CODCLJ).
QList<BudgetCode> listBudgetCodes(engine::Database& database,
                                  const QString& orderBy = kDefaultBudgetOrder);

// What the editor's "&Memoreaza" checks, after cleaning the blanks of the three
// texts (written back into `code`): a name and both accounts present, storable
// and not too long; accounts that begin with "RO" valid IBANs; no other group
// with the same name ignoring case (`code.id` is excluded when `modifying`).
bool checkBudgetCode(engine::Database& database, BudgetCode& code, bool modifying,
                     Interaction& interaction);

// A new fee group ("T") with the next IDCOD; returns the identifier.
std::int64_t addBudgetCode(engine::Database& database, SettingsFile& settings,
                           const BudgetCode& code);

// New accounts for a group. Receipts of the group follow a changed account of
// their payer's kind: the natural-person account for receipts not marked "J",
// the legal-person account for those marked "J". All in one transaction.
void modifyBudgetCode(engine::Database& database, const BudgetCode& before,
                      const BudgetCode& after);

// "&Sterge": refuses the twelve groups of the program, asks, deletes. True when
// the row was deleted.
bool deleteBudgetCode(engine::Database& database, const BudgetCode& code,
                      Interaction& interaction);

}  // namespace dajdor::admin
