#include "collect/payment_fixture.h"

#include "store/schema.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "support/statement_rows.h"


namespace dajdor::testing {

void PaymentTest::SetUp() {
  CollectTest::SetUp();
  for (const QString file : {"UndelSold.dbf", "UndelDat.dbf", "UndelDebit.dbf", "ChitAnul.dbf", "CODCL.dbf"}) {
    const schema::Table* table = schema::findTable(file);
    ASSERT_NE(table, nullptr) << file.toStdString();
    sql::execute(*db_, "CREATE TABLE " + sql::table(dataDir(), file) + " " + table->createList());
  }
  int id = 1;
  for (const auto& [group, natural, legal, type] :
       QList<std::tuple<QString, QString, QString, QString>>{{"Impozit pe cladiri", "07.02.01.01", "07.02.01.02", "I"},
                                                             {"Impozit pe teren intravilan", "07.02.02.01", "07.02.02.02", "I"},
                                                             {"Impozit pe mijloace de transport", "16.02.02.01", "16.02.02.02", "I"},
                                                             {"Taxa salubrizare", "36.02.06", "36.02.06", "T"},
                                                             {"Amenzi", "35.02.01", "35.02.01", "T"}})
    insert("CODCL.dbf", {{"IDCOD", sql::number(id++)},
                         {"GRUPA", sql::quote(group)},
                         {"CODCLF", sql::quote(natural)},
                         {"CODCLJ", sql::quote(legal)},
                         {"TIP", sql::quote(type)}});
  SettingsFile settings(dataDir() + "/" + SettingsFile::kFileName);
  settings.WriteSetting("ANA", "SERIA", "AB");
  settings.WriteSetting("ANA", "CHIT", "1");
  settings.WriteSetting("ION", "SERIA", "CD");
  settings.WriteSetting("ION", "CHIT", "100");
  settings.WriteSetting("SERVER", "IDCHIT", "1");
  settings.WriteSetting("SERVER", "IDANUL", "1");
}

CurrentUser PaymentTest::user(const QString& name, int level) {
  CurrentUser u;
  u.name = name;
  u.level = level;
  u.legitimation = "LEG " + name;
  return u;
}

collect::PaymentContext PaymentTest::context(const CurrentUser& who) {
  return {*db_, dataDir(), SettingsFile(dataDir() + "/" + SettingsFile::kFileName), who, rates_,
          QDateTime(QDate(2014, 5, 2), QTime(9, 30)), 2014};
}

collect::CommittedDocument PaymentTest::pay(std::int64_t IDGOS, const QDate& day,
                                            const QList<collect::EnteredAmount>& amounts,
                                            const collect::EnteredChoice& choice) {
  collect::PaymentContext c = context(active);
  auto result = collect::payEnteredAmounts(c, IDGOS, day, amounts, choice);
  if (const auto* p = std::get_if<collect::Problem>(&result)) {
    ADD_FAILURE() << "refused: " << p->text.toStdString();
    return {};
  }
  return std::get<collect::CommittedDocument>(result);
}

collect::Problem PaymentTest::refusal(std::int64_t IDGOS, const QDate& day,
                                      const QList<collect::EnteredAmount>& amounts,
                                      const collect::EnteredChoice& choice) {
  collect::PaymentContext c = context(active);
  auto result = collect::payEnteredAmounts(c, IDGOS, day, amounts, choice);
  if (std::holds_alternative<collect::CommittedDocument>(result)) {
    ADD_FAILURE() << "stored, not refused";
    return {};
  }
  return std::get<collect::Problem>(result);
}

QStringList PaymentTest::storedState() {
  QStringList rows;
  for (const QString table : {"SoldCalc", "Datorii", "Debit", "Chitante", "UndelSold", "UndelDat", "UndelDebit",
                              "ChitAnul"}) {
    for (const QString& row : statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), table + ".dbf")))
      rows.append(table + ": " + row);
  }
  return rows;
}

QString PaymentTest::counter(const QString& section, const QString& key) const {
  return SettingsFile(dataDir() + "/" + SettingsFile::kFileName).ReadCounter(section, key);
}

}  // namespace dajdor::testing
