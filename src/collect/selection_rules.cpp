#include "collect/selection_rules.h"

#include "store/files.h"
#include "store/schema.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/village_file.h"

#include <QFile>

namespace dajdor::collect {
namespace {

QStringList distinctVillages(engine::Database& data, const QString& dataDir, const QString& table) {
  const auto rows = sql::query(data, "SELECT DISTINCT SATUL FROM " + sql::table(dataDir, table) + " ORDER BY SATUL");
  QStringList villages;
  for (rows->first(); !rows->eof(); rows->next()) {
    const QString village = QString::fromStdString(rows->asText("SATUL")).trimmed();
    if (!village.isEmpty()) villages.append(village);
  }
  return villages;
}

void addBatches(engine::Database& data, engine::Database& scratch, const QString& work, const QString& select) {
  const auto rows = sql::query(data, select);
  for (rows->first(); !rows->eof(); rows->next())
    sql::execute(scratch, "INSERT INTO " + sql::table(work) + " (TIP, NR, SUMA) VALUES (" +
                              sql::quote(QString::fromStdString(rows->asText("TIP"))) + ", " +
                              sql::number(rows->asInt("NR")) + ", " + sql::number(rows->asInt("SUMA")) + ")");
}

}  // namespace

QStringList collectionListVillages(engine::Database& data, const QString& dataDir) {
  if (QFile::exists(fileInDir(dataDir, kVillageFileName))) return readVillageFile(dataDir);
  const QStringList villages = distinctVillages(data, dataDir, "Gospodar.dbf");
  writeVillageFile(dataDir, villages);
  return villages;
}

QStringList reportVillages(engine::Database& data, const QString& dataDir) {
  if (QFile::exists(fileInDir(dataDir, kVillageFileName))) return readVillageFile(dataDir);
  return distinctVillages(data, dataDir, "SoldCalc.dbf");
}

std::optional<SelectionProblem> collectionListProblem(const QString& village, const QDate& date,
                                                      const QDate& today) {
  if (village.trimmed().isEmpty()) return SelectionProblem{"Nu ati ales satul!", "SatulX"};
  if (!date.isValid() || date < today) return SelectionProblem{"Data aleasa nu poate fi din trecut!", "DataC"};
  return std::nullopt;
}

std::optional<SelectionProblem> reportRangeProblem(const QString& village, std::int64_t firstRol,
                                                   std::int64_t lastRol) {
  if (village.trimmed().isEmpty()) return SelectionProblem{"Nu aveti nici o localitate selectata!", "SATUL"};
  if (firstRol > lastRol) return SelectionProblem{"Interval incorect!", "ROL0"};
  if (lastRol == 0) return SelectionProblem{"Nu ati ales intervalul!", "ROL1"};
  return std::nullopt;
}

QList<DebitBatch> debitBatches(engine::Database& data, const QString& dataDir, const QString& programFolder) {
  const QString work = TempFileName(programFolder, "BordSel", ".dbf");
  if (work.isEmpty()) throw StoreError("Nu se poate crea tabela de lucru BordSel in " + programFolder + ".");
  engine::Database scratch(programFolder.toStdString(), engine::Database::Mode::Scratch);
  const schema::Table layout{"BordSel.dbf",
                             {{"TIP", schema::FieldType::Char, 4, 0},
                              {"NR", schema::FieldType::Decimal, 10, 0},
                              {"SUMA", schema::FieldType::Decimal, 6, 0}},
                             false};
  sql::execute(scratch, "CREATE TABLE " + sql::table(work) + " " + layout.createList());
  QList<DebitBatch> batches;
  try {
    const QString debts = sql::table(dataDir, "Datorii.dbf");
    const QString debits = sql::table(dataDir, "Debit.dbf");
    const QString manual = "TIP=" + sql::quote("M");
    addBatches(data, scratch, work,
               "SELECT " + sql::quote("BD") + " AS TIP, NR, SUM(RESTINI+SUMA2) AS SUMA FROM " + debts + " WHERE " +
                   manual + " AND (RESTINI>0 OR SUMA2>0) GROUP BY NR");
    addBatches(data, scratch, work,
               "SELECT " + sql::quote("BS") + " AS TIP, NR, SUM(REDUC) AS SUMA FROM " + debts + " WHERE " + manual +
                   " AND REDUC>0 GROUP BY NR");
    addBatches(data, scratch, work,
               "SELECT " + sql::quote("BD") + " AS TIP, NR, SUM(SUMAINI) AS SUMA FROM " + debits +
                   " WHERE SUMAINI>0 GROUP BY NR");
    addBatches(data, scratch, work,
               "SELECT " + sql::quote("BS") + " AS TIP, NR, 0-SUM(SUMAINI) AS SUMA FROM " + debits +
                   " WHERE SUMAINI<0 GROUP BY NR");
    sql::execute(scratch, "DELETE FROM " + sql::table(work) + " WHERE SUMA=0");
    const auto rows = sql::query(scratch, "SELECT TIP, NR, SUM(SUMA) AS TSUMA FROM " + sql::table(work) +
                                              " GROUP BY TIP, NR ORDER BY TIP, NR");
    for (rows->first(); !rows->eof(); rows->next())
      batches.append({QString::fromStdString(rows->asText("TIP")).trimmed(), rows->asInt("NR"), rows->asInt("TSUMA")});
  } catch (...) {
    sql::execute(scratch, "DROP TABLE " + sql::table(work));
    throw;
  }
  sql::execute(scratch, "DROP TABLE " + sql::table(work));
  return batches;
}

}  // namespace dajdor::collect
