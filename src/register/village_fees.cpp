#include "register/village_fees.h"

#include "register/debt_transfer.h"
#include "register/fines.h"
#include "register/page_catalogue.h"
#include "register/taxpayer.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"

#include <QDate>

namespace dajdor::reg {
namespace {

const QString kTaxTitle = QStringLiteral("Adaugare taxa la toti");
const QString kQuantityTitle = QStringLiteral("Adaugare taxa fixa");
const QString kOtherTaxesTable = QStringLiteral("Pag7.dbf");
const QString kBuildingsTable = QStringLiteral("Pag2.dbf");

struct Owner {
  std::int64_t idgos;
  QString role;
};

QList<Owner> villageOwners(const VillageRun& run, const VillageTax& request) {
  QString statement = "SELECT G.IDGOS, G.ROL, (P.C1S+P.VA1) AS SUPT\nFROM " + sql::table(run.dataDir, kTaxpayerTable) +
                      " G\nJOIN " + sql::table(run.dataDir, kBuildingsTable) + " P\n  ON G.IDGOS=P.IDGOS\nWHERE G.SATUL=" +
                      sql::quote(request.village);
  if (request.onlyWithHouses) statement += "\nAND (P.C1S>0 OR P.VA1>0)";
  const auto rows = sql::query(run.db, statement);
  QList<Owner> owners;
  owners.reserve(static_cast<qsizetype>(rows->rowCount()));
  for (std::size_t r = 0; r < rows->rowCount(); ++r)
    owners.append({rows->value(r, 0).toInt(), QString::fromStdString(rows->value(r, 1).toString()).trimmed()});
  return owners;
}

// The rows of the village, a statement per `rowsPerStatement` taxpayers.
void insertTaxRows(const VillageRun& run, const VillageTax& request, const QList<Owner>& owners, std::int64_t firstId) {
  Currency value;
  if (!Currency::parsePlain(request.valueText, value)) value = {};
  const QString amount = sql::number(value.truncated());
  const QString head = "INSERT INTO " + sql::table(run.dataDir, kDebtTable) +
                       "\n(IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST,\n"
                       "REDUC, UM, CANT, REDUCP, SCUTIT, TIP, SUMA2, RESTINI )\nVALUES ";
  // The same for every taxpayer but IDDAT, IDGOS and ROL.
  const QString day = sql::date(QDate(run.workYear, 1, 1)), village = sql::quote(request.village),
                tax = sql::quote(request.tax);
  const QString after = ", " + tax + ", " + tax + ", " + sql::quote(QString()) + ", 0, " + amount + ", 0, 0, " +
                        sql::quote("buc") + ", 1, 0, 0, " + sql::quote(kFineKind) + ", " + amount + ", 0)";
  const int per = std::max(1, run.rowsPerStatement);
  for (qsizetype start = 0; start < owners.size(); start += per) {
    QStringList rows;
    const qsizetype end = std::min(owners.size(), start + per);
    for (qsizetype i = start; i < end; ++i)
      rows.append("(" + sql::number(firstId + i) + ", " + sql::number(owners[i].idgos) + ", " + day + ", " + village +
                  ", " + sql::quote(owners[i].role) + after);
    sql::execute(run.db, head + rows.join(",\n"));
    run.ui.progressStep(static_cast<int>(end - start));
  }
}

std::optional<QString> finish(const VillageRun& run, const QString& title, const QString& closing) {
  if (!run.unattended) run.ui.message(title, closing, Button::Ok, MessageKind::Information);
  return closing;
}

std::optional<QString> failed(const VillageRun& run, const std::exception& e) {
  run.ui.progressEnd();
  run.ui.error(QStringLiteral("Eroare"), sql::message(e));
  return std::nullopt;
}

}  // namespace

bool villageChosen(const QString& village, Interaction& ui) {
  if (!village.trimmed().isEmpty()) return true;
  ui.problem(QStringLiteral("Alegeti mai intai o localitate!"), TaxpayerField::Village);
  return false;
}

std::optional<QString> AddTaxToVillage(const VillageRun& run, const VillageTax& request) {
  if (request.tax.trimmed().isEmpty()) {
    run.ui.problem(QStringLiteral("Lipseste denumirea creantei!"), QStringLiteral("Taxa"));
    return std::nullopt;
  }
  if (!run.unattended &&
      !run.ui.confirm(kTaxTitle, QStringLiteral("Adaugam la toata localitatea %1 taxa %2\r in valoare de %3 lei ?")
                                     .arg(request.village, request.tax, request.valueText)))
    return std::nullopt;
  try {
    engine::Transaction transaction(run.db);
    const QList<Owner> owners = villageOwners(run, request);
    run.ui.progressStart(QStringLiteral("Adaug taxa..."), static_cast<int>(owners.size()));
    if (!owners.isEmpty())
      insertTaxRows(run, request, owners, run.settings.reserveCounter("SERVER", "IDDAT", owners.size()));
    transaction.commit();
    run.ui.progressEnd();
  } catch (const std::exception& e) {
    return failed(run, e);
  }
  return finish(run, kTaxTitle,
                QStringLiteral("Taxa %1, in valoare de %2 lei\ra fost adaugata la toata localitatea %3.")
                    .arg(request.tax, request.valueText, request.village));
}

QStringList fixedQuantityTaxes() { return otherTaxNames(); }

std::optional<QString> SetVillageQuantity(const VillageRun& run, const VillageQuantity& request) {
  const int k = static_cast<int>(fixedQuantityTaxes().indexOf(request.tax)) + 1;
  const QString quantity = sql::number(request.quantity.truncated());
  if (k < 1) return std::nullopt;
  if (!run.unattended &&
      !run.ui.confirm(kQuantityTitle, QStringLiteral("Punem la toata localitatea %1 la taxa %2\r cantitatea %3 ?")
                                          .arg(request.village, request.tax, quantity)))
    return std::nullopt;
  const QString page = sql::table(run.dataDir, kOtherTaxesTable);
  const QString villagers = "SELECT IDGOS FROM " + sql::table(run.dataDir, kTaxpayerTable) +
                            "\nWHERE SATUL=" + sql::quote(request.village);
  try {
    engine::Transaction transaction(run.db);
    // A taxpayer whose page was never made gets it now, as the register makes it when shown.
    sql::execute(run.db, "INSERT INTO " + page + "\n(IDGOS, LIN1, LIN2, LIN3, LIN4, LIN5, LIN6)\n" +
                             "SELECT IDGOS, 0, 0, 0, 0, 0, 0 FROM " + sql::table(run.dataDir, kTaxpayerTable) +
                             "\nWHERE SATUL=" + sql::quote(request.village) + "\nAND IDGOS NOT IN (SELECT IDGOS FROM " +
                             page + ")");
    sql::execute(run.db, "UPDATE " + page + "\nSET LIN" + QString::number(k) + "=" + quantity +
                             "\nWHERE IDGOS IN\n(" + villagers + ")");
    transaction.commit();
  } catch (const std::exception& e) {
    return failed(run, e);
  }
  return finish(run, kQuantityTitle, QStringLiteral("Taxa a fost stabilita la toata localitatea."));
}

}  // namespace dajdor::reg
