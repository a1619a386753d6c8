#include "admin/budget_codes.h"

#include "admin/storable_text.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

namespace dajdor::admin {
namespace {

QString tableOf(const engine::Database& database, const QString& file) {
  return sql::table(QString::fromStdString(database.directory()), file);
}

QString orderClause(const QString& orderBy) {
  static const QStringList allowed = {kDefaultBudgetOrder, "GRUPA", "CODCLF", "CODCLJ", "TIP"};
  return allowed.contains(orderBy) ? orderBy : kDefaultBudgetOrder;
}

bool checkAccount(const QString& account, const QString& field, Interaction& interaction) {
  if (account.isEmpty()) {
    interaction.problem("Lipseste contul!", field);
    return false;
  }
  if (const QString problem = storableTextProblem(account, kAccountWidth); !problem.isEmpty()) {
    interaction.problem(problem, field);
    return false;
  }
  return true;
}

// An IBAN typed in lower case is still an IBAN: it gets the check too.
bool checkIban(const QString& account, const QString& field, Interaction& interaction) {
  if (account.startsWith("RO", Qt::CaseInsensitive) && !IsValidIban(account)) {
    interaction.problem("Cont incorect!", field);
    return false;
  }
  return true;
}

// Receipts of legal persons carry TIPF "J"; every other receipt is a natural person's.
void updateReceipts(engine::Database& database, const QString& group, const QString& account, bool legalPayers) {
  sql::execute(database, "UPDATE " + tableOf(database, kReceiptTable) + " SET CODCLAS=" + sql::quote(account) +
                             " WHERE GRUPA=" + sql::quote(group) + " AND TIPF" + (legalPayers ? "=" : "<>") +
                             sql::quote("J"));
}

}  // namespace

QList<BudgetCode> listBudgetCodes(engine::Database& database, const QString& orderBy) {
  QList<BudgetCode> list;
  auto rs = sql::query(database, "SELECT * FROM " + tableOf(database, kBudgetCodeTable) + " ORDER BY " +
                                     orderClause(orderBy));
  for (rs->first(); !rs->eof(); rs->next())
    list.append({rs->asInt("IDCOD"), QString::fromStdString(rs->asText("GRUPA")),
                 QString::fromStdString(rs->asText("CODCLF")),
                 QString::fromStdString(rs->asText("CODCLJ")),
                 QString::fromStdString(rs->asText("TIP"))});
  return list;
}

bool checkBudgetCode(engine::Database& database, BudgetCode& code, bool modifying,
                     Interaction& interaction) {
  code.group = CleanSpaces(code.group);
  code.naturalAccount = CleanSpaces(code.naturalAccount);
  code.legalAccount = CleanSpaces(code.legalAccount);
  if (code.group.isEmpty()) {
    interaction.problem("Lipseste denumirea creantei!", kGroupNameField);
    return false;
  }
  if (const QString problem = storableTextProblem(code.group, kGroupNameWidth);
      !problem.isEmpty()) {
    interaction.problem(problem, kGroupNameField);
    return false;
  }
  if (!checkAccount(code.naturalAccount, kNaturalAccountField, interaction) ||
      !checkAccount(code.legalAccount, kLegalAccountField, interaction) ||
      !checkIban(code.naturalAccount, kNaturalAccountField, interaction) ||
      !checkIban(code.legalAccount, kLegalAccountField, interaction))
    return false;
  QString statement = "SELECT * FROM " + tableOf(database, kBudgetCodeTable) +
                      " WHERE UPPER(GRUPA)=" + sql::quote(code.group.toUpper());
  if (modifying) statement += " AND IDCOD<>" + sql::number(code.id);
  if (!sql::query(database, statement)->isEmpty()) {
    interaction.problem("Exista deja creanta in lista!!", kGroupNameField);
    return false;
  }
  return true;
}

std::int64_t addBudgetCode(engine::Database& database, SettingsFile& settings,
                           const BudgetCode& code) {
  const std::int64_t id = settings.NextCounter("SERVER", "IDCOD").toLongLong();
  sql::execute(database, "INSERT INTO " + tableOf(database, kBudgetCodeTable) +
                             " (IDCOD, GRUPA, CODCLF, CODCLJ, TIP ) VALUES (" + sql::number(id) + ", " +
                             sql::quote(code.group) + ", " + sql::quote(code.naturalAccount) + ", " +
                             sql::quote(code.legalAccount) + ", " + sql::quote("T") + " )");
  return id;
}

void modifyBudgetCode(engine::Database& database, const BudgetCode& before,
                      const BudgetCode& after) {
  engine::Transaction transaction(database);
  if (database.tableExists(database.directory() + "/" + kReceiptTable.toStdString())) {
    if (after.naturalAccount != before.naturalAccount)
      updateReceipts(database, before.group, after.naturalAccount, false);
    if (after.legalAccount != before.legalAccount)
      updateReceipts(database, before.group, after.legalAccount, true);
  }
  sql::execute(database, "UPDATE " + tableOf(database, kBudgetCodeTable) + " SET CODCLF=" +
                             sql::quote(after.naturalAccount) + ", CODCLJ=" + sql::quote(after.legalAccount) +
                             " WHERE IDCOD=" + sql::number(before.id));
  transaction.commit();
}

bool deleteBudgetCode(engine::Database& database, const BudgetCode& code,
                      Interaction& interaction) {
  if (code.id <= kLastProtectedGroup) {
    interaction.error("Stergere creanta", "Nu aveti voie sa stergeti aceasta creanta!");
    return false;
  }
  if (!interaction.confirm("Stergere creanta", "Sunteti sigur ca vreti sa stergeti creanta?!",
                           MessageKind::Warning))
    return false;
  sql::execute(database,
               "DELETE FROM " + tableOf(database, kBudgetCodeTable) + " WHERE IDCOD=" + sql::number(code.id));
  return true;
}

}  // namespace dajdor::admin
