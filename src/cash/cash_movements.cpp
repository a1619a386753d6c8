#include "cash/cash_movements.h"

#include "admin/storable_text.h"
#include "store/cp1250.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

namespace dajdor::cash {
namespace {

const QString kRegisterTitle = QStringLiteral("Registru de Casa");

// The day, document and amount of a checked movement on its row.
void apply(const Movement& m, CashRow& row) {
  row.DATAI = m.day;
  row.DOCJUS = m.document;
  row.PLATIT = m.payment ? m.amount : 0;
  row.INCASAT = m.payment ? 0 : m.amount;
}

}  // namespace

bool checkMovement(Movement& movement, Interaction& interaction) {
  movement.document = CleanSpaces(movement.document);
  if (movement.document.isEmpty()) {
    interaction.problem("Lipseste Documentul justificativ!", kDocumentField);
    return false;
  }
  const QString unstorable = admin::storableTextProblem(movement.document, kDocumentLength);
  if (!unstorable.isEmpty()) {
    interaction.problem(unstorable, kDocumentField);
    return false;
  }
  // As the table will give it back (comma-below letters in their cedilla form).
  QByteArray stored;
  QString bad;
  cp1250::encode(movement.document, stored, bad);
  movement.document = cp1250::decode(stored);
  if (movement.amount <= 0) {
    interaction.problem("Lipseste Suma!", kAmountField);
    return false;
  }
  if (movement.amount > kLargestAmount) {
    interaction.problem("Suma are cel mult 6 cifre!", kAmountField);
    return false;
  }
  if (!movement.day.isValid()) {
    interaction.problem("Data nu este corecta!", kDayField);
    return false;
  }
  return true;
}

Movement movementOf(const CashRow& row, const QDate& day) {
  const bool received = row.INCASAT > 0;
  return {day, row.DOCJUS, !received, received ? row.INCASAT : row.PLATIT};
}

bool mayEdit(Edit edit, const CurrentUser& user, const CashRow* selected, Interaction& interaction) {
  if (user.level >= UserLevel::Cashier) {
    interaction.problem("Nu aveti ce cauta aici!", {});
    return false;
  }
  const bool change = edit == Edit::Change;
  if (!selected) {
    interaction.problem(change ? "Nu aveti ce modifica!" : "Nu aveti ce sterge!", {});
    return false;
  }
  if (selected->isSummary()) {
    interaction.problem(change ? "Nu puteti modifica decat operatiunile introduse manual!"
                               : "Nu puteti sterge linia selectata!",
                        {});
    return false;
  }
  return true;
}

void CashMovements::report(const std::exception& e) { interaction_.error(kRegisterTitle, sql::message(e)); }

std::int64_t CashMovements::add(Movement movement, const QString& userName) {
  if (!checkMovement(movement, interaction_)) return 0;
  try {
    CashRow row;
    row.IDRC = counters_.NextCounter("SERVER", "IDRC").toLongLong();
    apply(movement, row);
    row.INCANUME = userName.trimmed();
    sql::execute(register_.database(),
                 "INSERT INTO " + sql::table(register_.dataDir(), "RegCasa.dbf") +
                     " (IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME) VALUES (" + sql::number(row.IDRC) + ", " +
                     sql::date(row.DATAI) + ", " + sql::quote(row.DOCJUS) + ", " + sql::number(row.PLATIT) + ", " +
                     sql::number(row.INCASAT) + ", " + sql::quote(row.INCANUME) + ")");
    register_.insertRow(row);
    return row.IDRC;
  } catch (const std::exception& e) {
    report(e);
    return 0;
  }
}

bool CashMovements::change(std::int64_t idrc, Movement movement) {
  const CashRow* old = register_.findRow(idrc);
  if (!old || !checkMovement(movement, interaction_)) return false;
  CashRow row = *old;
  apply(movement, row);
  try {
    sql::execute(register_.database(), "UPDATE " + sql::table(register_.dataDir(), "RegCasa.dbf") +
                                           " SET DATAI=" + sql::date(row.DATAI) + ", DOCJUS=" + sql::quote(row.DOCJUS) +
                                           ", PLATIT=" + sql::number(row.PLATIT) +
                                           ", INCASAT=" + sql::number(row.INCASAT) + " WHERE IDRC=" + sql::number(idrc));
  } catch (const std::exception& e) {
    report(e);
    return false;
  }
  register_.replaceRow(row);
  return true;
}

bool CashMovements::remove(const CashRow& row) {
  if (row.isSummary()) return false;
  if (!interaction_.confirm("Stergere Operatiune", "Stergem operatiunea " + row.DOCJUS + " ?")) return false;
  const std::int64_t idrc = row.IDRC;
  try {
    sql::execute(register_.database(),
                 "DELETE FROM " + sql::table(register_.dataDir(), "RegCasa.dbf") + " WHERE IDRC=" + sql::number(idrc));
  } catch (const std::exception& e) {
    report(e);
    return false;
  }
  register_.removeRow(idrc);
  return true;
}

}  // namespace dajdor::cash
