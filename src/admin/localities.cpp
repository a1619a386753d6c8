#include "admin/localities.h"

#include "admin/settings_catalogue.h"
#include "admin/storable_text.h"
#include "store/engine/database.h"
#include "store/engine/sql_text.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/text_rules.h"

namespace dajdor::admin {
namespace {

using engine::sql::quote;

std::string localityTable(const engine::Database& database) {
  return engine::sql::table(database.directory() + "/" + kLocalityTable.toStdString());
}

std::string text(const QString& s) { return quote(s.toStdString()); }

}  // namespace

QList<Locality> ListLocalities(engine::Database& database) {
  QList<Locality> list;
  auto rs = database.query("SELECT * FROM " + localityTable(database) + " ORDER BY LOCALIT");
  for (rs->first(); !rs->eof(); rs->next())
    list.append({rs->asInt("ID"), QString::fromStdString(rs->asText("LOCALIT")),
                 QString::fromStdString(rs->asText("ZONA")),
                 QString::fromStdString(rs->asText("RANG"))});
  return list;
}

bool CheckLocality(engine::Database& database, Locality& locality,
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
  std::string sql = "SELECT Count(*) AS TOT FROM " + localityTable(database) +
                    " WHERE LOCALIT=" + text(locality.name);
  if (editedId) sql += " AND ID<>" + engine::sql::number(*editedId);
  auto rs = database.query(sql);
  rs->first();
  if (!rs->eof() && rs->asInt("TOT") > 0) {
    interaction.problem("Localitatea specificat exista deja!", kLocalityField);
    return false;
  }
  return true;
}

std::int64_t AddLocality(engine::Database& database, SettingsFile& settings,
                         const Locality& locality) {
  const std::int64_t id = settings.NextCounter("SERVER", "DEFZONE").toLongLong();
  database.execute("INSERT INTO " + localityTable(database) + " (ID, LOCALIT, ZONA, RANG) VALUES(" +
                   engine::sql::number(id) + ", " + text(locality.name) + ", " +
                   text(locality.zone) + ", " + text(locality.rank) + ")");
  return id;
}

void ModifyLocality(engine::Database& database, const Locality& locality) {
  database.execute("UPDATE " + localityTable(database) + " SET LOCALIT=" + text(locality.name) +
                   ", ZONA=" + text(locality.zone) + ", RANG=" + text(locality.rank) +
                   " WHERE ID=" + engine::sql::number(locality.id));
}

void DeleteLocality(engine::Database& database, std::int64_t id) {
  database.execute("DELETE FROM " + localityTable(database) +
                   " WHERE ID=" + engine::sql::number(id));
}

int RowAfterDeletion(int deleted, int count) {
  const int remaining = count - 1;
  if (remaining <= 0) return -1;
  return deleted < remaining ? deleted : remaining - 1;
}

}  // namespace dajdor::admin
