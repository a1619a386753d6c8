#include "admin/localities.h"

#include "admin/settings_catalogue.h"
#include "admin/storable_text.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

namespace dajdor::admin {
namespace {

QString localityTable(const engine::Database& database) {
  return sql::table(QString::fromStdString(database.directory()), kLocalityTable);
}

}  // namespace

QList<Locality> listLocalities(engine::Database& database) {
  QList<Locality> list;
  auto rs = sql::query(database, "SELECT * FROM " + localityTable(database) + " ORDER BY LOCALIT");
  for (rs->first(); !rs->eof(); rs->next())
    list.append({rs->asInt("ID"), QString::fromStdString(rs->asText("LOCALIT")),
                 QString::fromStdString(rs->asText("ZONA")),
                 QString::fromStdString(rs->asText("RANG"))});
  return list;
}

bool checkLocality(engine::Database& database, Locality& locality,
                   std::optional<std::int64_t> editedId, Interaction& interaction) {
  locality.name = CleanSpaces(locality.name).toUpper();
  if (locality.name.isEmpty()) {
    interaction.problem("Nu ati specificat localitatea!", kLocalityField);
    return false;
  }
  if (const QString problem = storableTextProblem(locality.name, kLocalityWidth);
      !problem.isEmpty()) {
    interaction.problem(problem, kLocalityField);
    return false;
  }
  if (!zoneLetters().contains(locality.zone)) {
    interaction.problem("Alegeti zona din lista!", kZoneField);
    return false;
  }
  if (!rankNumerals().contains(locality.rank)) {
    interaction.problem("Alegeti rangul din lista!", kRankField);
    return false;
  }
  QString statement =
      "SELECT Count(*) AS TOT FROM " + localityTable(database) + " WHERE LOCALIT=" + sql::quote(locality.name);
  if (editedId) statement += " AND ID<>" + sql::number(*editedId);
  auto rs = sql::query(database, statement);
  rs->first();
  if (!rs->eof() && rs->asInt("TOT") > 0) {
    interaction.problem("Localitatea specificat exista deja!", kLocalityField);
    return false;
  }
  return true;
}

std::int64_t addLocality(engine::Database& database, SettingsFile& settings,
                         const Locality& locality) {
  const std::int64_t id = settings.NextCounter("SERVER", "DEFZONE").toLongLong();
  sql::execute(database, "INSERT INTO " + localityTable(database) + " (ID, LOCALIT, ZONA, RANG) VALUES(" +
                             sql::number(id) + ", " + sql::quote(locality.name) + ", " + sql::quote(locality.zone) +
                             ", " + sql::quote(locality.rank) + ")");
  return id;
}

void modifyLocality(engine::Database& database, const Locality& locality) {
  sql::execute(database, "UPDATE " + localityTable(database) + " SET LOCALIT=" + sql::quote(locality.name) +
                             ", ZONA=" + sql::quote(locality.zone) + ", RANG=" + sql::quote(locality.rank) +
                             " WHERE ID=" + sql::number(locality.id));
}

void deleteLocality(engine::Database& database, std::int64_t id) {
  sql::execute(database, "DELETE FROM " + localityTable(database) + " WHERE ID=" + sql::number(id));
}

int rowAfterDeletion(int deleted, int count) {
  const int remaining = count - 1;
  if (remaining <= 0) return -1;
  return deleted < remaining ? deleted : remaining - 1;
}

}  // namespace dajdor::admin
