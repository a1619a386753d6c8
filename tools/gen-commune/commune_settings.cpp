#include "commune_settings.h"

#include "admin/rates.h"
#include "admin/settings_catalogue.h"
#include "admin/settings_store.h"
#include "store/create_tables.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "users/users_file.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace gencommune {
namespace {

struct Counter {
  const char* key;
  const char* table;
  const char* field;
};

// Every identifier counter whose table the generator fills.
const Counter kCounters[] = {{"IDGOS", "Gospodar.dbf", "IDGOS"}, {"IDDAT", "Datorii.dbf", "IDDAT"},
                             {"IDRES", "SoldCalc.dbf", "IDRES"}, {"IDDEB", "Debit.dbf", "IDDEB"},
                             {"IDCHIT", "Chitante.dbf", "IDCHIT"}, {"IDANUL", "Chitante.dbf", "IDANUL"},
                             {"IDCOD", "CODCL.dbf", "IDCOD"},   {"IDDETA", "AutoDet.dbf", "IDDETA"},
                             {"DEFZONE", "DefZone.dbf", "ID"}};

// Rates of the size a council sets: every tax of the pages costs something.
dajdor::admin::Rates councilRates() {
  dajdor::admin::Rates rates;
  const auto set = [&](const QString& name, double value) { rates.setText(name, QString::number(value, 'f', 4)); };
  const char* zones = "ABCD";
  const double rankValue[] = {1060, 1000, 950, 900, 806, 750};  // lei/m2, ranks 0 ... V
  for (int z = 0; z < 4; ++z)
    for (int r = 0; r < 6; ++r) {
      const QString cell = QStringLiteral("Z%1R%2").arg(zones[z]).arg(r);
      const double value = rankValue[r] * (1 - 0.05 * z);
      set("ICZ" + cell, value);
      set("IC2" + cell, value * 0.3);
      set("IA1" + cell, value * 0.2);
      set("IA2" + cell, value * 0.1);
    }
  const double yards[] = {0.08, 0.06, 0.04, 0.03, 0.02};  // lei/m2 by zone
  for (int z = 0; z < 5; ++z) {
    set(QStringLiteral("ICC%1").arg(QChar('A' + z)), yards[z]);
    for (int k = 1; k <= 8; ++k) set(QStringLiteral("IA%1%2").arg(k).arg(z + 1), 28 - 3 * z);
  }
  const double cars[] = {0, 70, 85, 100, 120, 140, 160, 190, 220, 250, 30, 30, 24, 18, 9, 34, 52, 64, 60, 50, 40, 30, 20, 8};
  for (int n = 1; n <= 23; ++n) set(QStringLiteral("AUTO%1").arg(n), cars[n]);
  for (int n = 1; n <= 15; ++n) {
    set(QStringLiteral("G%1A").arg(n), 100 + 40 * n);
    set(QStringLiteral("G%1B").arg(n), 150 + 60 * n);
  }
  for (int n = 1; n <= 24; ++n) {
    set(QStringLiteral("GC%1A").arg(n), 80 + 50 * n);
    set(QStringLiteral("GC%1B").arg(n), 120 + 70 * n);
  }
  for (int n = 1; n <= 13; ++n) set(QStringLiteral("APA%1").arg(n), 20 + 30 * n);
  set("VN1", 3);
  set("VN2", 5);
  set("VN3", 100);
  const double other[] = {2, 5, 60, 20, 30, 35};  // Alte1 ... Alte6
  for (int k = 1; k <= 6; ++k) set(QStringLiteral("Alte%1").arg(k), other[k - 1]);
  return rates;
}

// What CreateTables reports (a table it could not make): the generator stops on it.
class Reports : public dajdor::Interaction {
 public:
  int message(const QString&, const QString& text, int, dajdor::MessageKind) override {
    texts.append(text);
    return dajdor::Answer::Ok;
  }
  void problem(const QString& text, const QString&) override { texts.append(text); }
  void progressStart(const QString&, int) override {}
  void progressStep(int) override {}
  void progressEnd() override {}

  QStringList texts;
};

}  // namespace

void writeCommuneSettings(engine::Database& db, const std::string& dir) {
  namespace sql = dajdor::sql;
  const QString data = QString::fromStdString(dir);
  dajdor::SettingsFile settings(sql::tablePath(data, dajdor::SettingsFile::kFileName));
  for (const Counter& c : kCounters) {
    const std::int64_t last = sql::scalar(db, "SELECT MAX(" + QString(c.field) + ") FROM " + sql::table(data, c.table));
    settings.WriteCounter("SERVER", c.key, QString::number(last + 1));
  }
  dajdor::UsersFile users = dajdor::UsersFile::inDirectory(data);
  users.createWithFirstAdministrator();
  const auto cashiers = sql::query(db, "SELECT INCANUME, SERIA, MAX(NR) AS LAST FROM " +
                                           sql::table(data, "Chitante.dbf") + " GROUP BY INCANUME, SERIA");
  for (std::size_t r = 0; r < cashiers->rowCount(); ++r) {
    const QString name = QString::fromStdString(cashiers->value(r, 0).toString()).trimmed();
    if (name.isEmpty()) continue;
    users.append({name, "1", dajdor::UserLevel::Cashier, {}});
    settings.WriteSetting(name, "SERIA", QString::fromStdString(cashiers->value(r, 1).toString()));
    settings.WriteCounter(name, "CHIT", QString::number(cashiers->value(r, 2).toInt() + 1));
  }
  dajdor::admin::CreateSettingsTable(db, councilRates());
  // The tables the commune's year left empty, as the program's first start makes them.
  Reports reports;
  dajdor::CreateTables(db, data, dajdor::admin::initialIniRows(), settings, reports);
  if (!reports.texts.isEmpty()) throw std::runtime_error(reports.texts.join('\n').toStdString());
}

}  // namespace gencommune
