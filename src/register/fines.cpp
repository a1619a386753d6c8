#include "register/fines.h"

#include "admin/budget_codes.h"
#include "admin/storable_text.h"
#include "register/debt_transfer.h"
#include "store/interaction.h"
#include "store/row_fields.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <algorithm>

namespace dajdor::reg {
namespace {

const QString kDeleteTitle = QStringLiteral("Stergere taxa / amenda");
const QString kReceiptCut = QStringLiteral("Aveti taiata chitanta pe aceasta taxa/amenda!");

QStringList groupsWhere(engine::Database& db, const QString& dataDir, const QString& condition) {
  const auto rows = sql::query(db, "SELECT DISTINCT GRUPA FROM " + sql::table(dataDir, admin::kBudgetCodeTable) +
                                       "\n" + condition + "\nORDER BY GRUPA");
  QStringList groups;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const QString group = rowText(*rows, r, "GRUPA");
    if (!group.isEmpty()) groups.append(group);
  }
  return groups;
}

}  // namespace

QStringList fineGroups(engine::Database& db, const QString& dataDir) {
  return groupsWhere(db, dataDir, "WHERE TIP<>" + sql::quote("I"));
}

QStringList villageTaxes(engine::Database& db, const QString& dataDir) {
  return groupsWhere(db, dataDir, "WHERE TIP=" + sql::quote("T"));
}

QList<Fine> finesOf(engine::Database& db, const QString& dataDir, std::int64_t idgos) {
  const auto rows = sql::query(
      db, "SELECT IDDAT, DINDATA, GRUPA, DOCJUS, NR, SUMA, REST, REDUC, SUMA2, RESTINI\nFROM " +
              sql::table(dataDir, kDebtTable) + "\nWHERE IDGOS=" + sql::number(idgos) + "\nAND TIP=" +
              sql::quote(kFineKind) + "\nORDER BY DINDATA, IDDAT");
  QList<Fine> fines;
  for (std::size_t r = 0; r < rows->rowCount(); ++r)
    fines.append({rowWhole(*rows, r, "IDDAT"), rowDate(*rows, r, "DINDATA"), rowText(*rows, r, "GRUPA"),
                  rowText(*rows, r, "DOCJUS"), rowWhole(*rows, r, "NR"), rowWhole(*rows, r, "SUMA"),
                  rowWhole(*rows, r, "REST"), rowWhole(*rows, r, "REDUC"), rowWhole(*rows, r, "SUMA2"),
                  rowWhole(*rows, r, "RESTINI")});
  return fines;
}

bool checkFineEntry(FineEntry& entry, Interaction& ui) {
  if (entry.group.trimmed().isEmpty()) {
    ui.problem(QStringLiteral("Lipseste denumirea creantei!"), FineField::Group);
    return false;
  }
  if (entry.amount > Currency() && entry.arrears > Currency()) {
    ui.problem(QStringLiteral("Nu puteti adauga si Curent si Restanta simultan!"), FineField::Reduction);
    return false;
  }
  entry.number = Currency::whole(entry.number.truncated());
  entry.explanation = CleanSpaces(entry.explanation);
  if (const QString problem = admin::storableTextProblem(entry.explanation, kExplanationWidth); !problem.isEmpty()) {
    ui.problem(problem, FineField::Explanation);
    return false;
  }
  if (entry.amount > Currency() || entry.arrears != Currency() || entry.reduction != Currency()) return true;
  ui.message(QStringLiteral("Adaugare creanta"), QStringLiteral("Nu ati trecut nici o suma!"), Button::Ok,
             MessageKind::Error);
  return false;
}

std::int64_t fineReductionPercent(std::int64_t amount, std::int64_t arrears, std::int64_t reduction) {
  const std::int64_t owed = amount + arrears;
  if (owed <= 0) return 0;
  return std::clamp<std::int64_t>(reduction * 100 / owed, 0, 100);
}

std::int64_t addFine(engine::Database& db, const QString& dataDir, SettingsFile& settings, const FineOwner& owner,
                     const FineEntry& entry, ReductionPercent percent) {
  const std::int64_t amount = entry.amount.truncated(), arrears = entry.arrears.truncated(),
                     reduction = entry.reduction.truncated();
  const std::int64_t reductionPercent =
      percent == ReductionPercent::OfOwed ? fineReductionPercent(amount, arrears, reduction) : 0;
  const std::int64_t iddat = settings.reserveCounter("SERVER", "IDDAT", 1);
  sql::execute(db, "INSERT INTO " + sql::table(dataDir, kDebtTable) +
                       "\n(IDDAT, DINDATA, SATUL, ROL, IDGOS, GRUPA, DENUM, DOCJUS, NR, SUMA, REST,\n"
                       "REDUC, UM, CANT, REDUCP, SCUTIT, TIP, SUMA2, RESTINI )\nVALUES (" +
                       QStringList{sql::number(iddat), sql::date(entry.day), sql::quote(owner.village),
                                   sql::quote(owner.role), sql::number(owner.idgos), sql::quote(entry.group),
                                   sql::quote(entry.group), sql::quote(entry.explanation),
                                   sql::number(entry.number.truncated()), sql::number(amount), sql::number(arrears),
                                   sql::number(reduction), sql::quote("buc"), "1", sql::number(reductionPercent), "0",
                                   sql::quote(kFineKind), sql::number(amount), sql::number(arrears)}
                           .join(", ") +
                       ")");
  return iddat;
}

bool modifyFine(engine::Database& db, const QString& dataDir, const Fine& before, const FineEntry& entry,
                Interaction& ui) {
  if (before.receiptCut() && entry.group != before.group) {
    ui.message(QStringLiteral("Modificare taxa"), kReceiptCut + "\rNu puteti sa-i modificati Grupa!", Button::Ok,
               MessageKind::Error);
    return false;
  }
  const std::int64_t amount = entry.amount.truncated(), arrears = entry.arrears.truncated();
  sql::execute(db, "UPDATE " + sql::table(dataDir, kDebtTable) + "\nSET DINDATA=" + sql::date(entry.day) +
                       ",\nGRUPA=" + sql::quote(entry.group) + ",\nDENUM=" + sql::quote(entry.group) +
                       ",\nDOCJUS=" + sql::quote(entry.explanation) +
                       ",\nNR=" + sql::number(entry.number.truncated()) + ",\nSUMA=" + sql::number(amount) +
                       ",\nREST=" + sql::number(arrears) + ",\nREDUC=" + sql::number(entry.reduction.truncated()) +
                       ",\nSUMA2=SUMA2+" + sql::number(amount - before.amount) +
                       ",\nRESTINI=RESTINI+" + sql::number(arrears - before.arrears) +
                       "\nWHERE IDDAT=" + sql::number(before.iddat));
  return true;
}

bool yearRowChosen(bool chosen, bool toChange, const QString& grid, Interaction& ui) {
  if (!chosen) ui.problem(toChange ? QStringLiteral("Nu aveti ce modifica!") : QStringLiteral("Nu aveti ce sterge!"), grid);
  return chosen;
}

bool deleteFine(engine::Database& db, const QString& dataDir, std::int64_t idgos, const std::optional<Fine>& row,
                Interaction& ui) {
  if (!yearRowChosen(row.has_value(), false, FineField::Grid, ui)) return false;
  if (row->receiptCut()) {
    ui.message(kDeleteTitle, kReceiptCut + "\rNu puteti s-o stergeti!", Button::Ok, MessageKind::Error);
    return false;
  }
  if (!ui.confirm(kDeleteTitle, QStringLiteral("Sunteti sigur ca vreti sa stergeti taxa/amenda?"))) return false;
  sql::execute(db, "DELETE FROM " + sql::table(dataDir, kDebtTable) + "\nWHERE IDGOS=" + sql::number(idgos) +
                       "\nAND IDDAT=" + sql::number(row->iddat));
  return true;
}

FineEntry entryOf(const Fine& fine) {
  return {fine.day, fine.group, fine.explanation, Currency::whole(fine.number), Currency::whole(fine.amount),
          Currency::whole(fine.arrears), Currency::whole(fine.reduction)};
}

}  // namespace dajdor::reg
