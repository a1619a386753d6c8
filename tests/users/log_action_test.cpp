#include "users/action_log.h"

#include "session/log_action.h"
#include "store/sql_helpers.h"


#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

class LogActionTest : public ::testing::Test {
 protected:
  const QDateTime firstDay_{QDate(2014, 3, 1), QTime(9, 5, 7)};
  QTemporaryDir dir_;
  engine::Database db_{dir_.path().toStdString()};
  ActionLog log_{db_, dir_.path()};
};

TEST_F(LogActionTest, TheFirstEntryCreatesTheTableWithItsLayout) {
  EXPECT_FALSE(QFile::exists(log_.tablePath()));
  log_.log(firstDay_, "ADMIN", "", ActionLog::loginText());
  const auto fields = db_.fields(log_.tablePath().toStdString());
  const std::vector<std::tuple<std::string, char, int>> expected = {
      {"DATAA", 'D', 8}, {"ORA", 'C', 12}, {"UTILIZATOR", 'C', 20}, {"ROL", 'C', 9}, {"ACTIUNE", 'C', 120}};
  ASSERT_EQ(fields.size(), expected.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].name, std::get<0>(expected[i]));
    EXPECT_EQ(fields[i].type, std::get<1>(expected[i]));
    EXPECT_EQ(fields[i].length, std::get<2>(expected[i]));
  }
}

TEST_F(LogActionTest, EntriesAreAppendedWithDateTimeUserRoleAndText) {
  log_.log(firstDay_, "ADMIN", "", ActionLog::loginText());
  const QDateTime secondDay(QDate(2014, 3, 2), QTime(16, 30, 0));
  log_.log(secondDay, "CASIER 1", "125", ActionLog::paymentText('C', "4711"));
  log_.log(secondDay, "CASIER 1", ActionLog::noTaxpayerRole(),
           ActionLog::cancellationText("AB", "12", QDate(2014, 3, 2), QString::fromUtf8("POPESCU ION \"MIC\"")));
  // Too long for their columns: cut, the entry is not lost.
  log_.log(secondDay, QString(32, 'U'), "1234567890", QString(150, 'x'));

  auto rows = sql::query(db_, "SELECT * FROM " + sql::table(log_.tablePath()));
  ASSERT_EQ(rows->rowCount(), 4u);
  const std::vector<std::vector<std::string>> expected = {
      {"01.03.2014", "09:05:07", "ADMIN", "", "Pornire program."},
      {"02.03.2014", "16:30:00", "CASIER 1", "125", "Operat C nr.4711"},
      {"02.03.2014", "16:30:00", "CASIER 1", "FARA", "Anulat Chitanta AB nr.12 / 02.03.2014 - POPESCU ION \"MIC\""},
      {"02.03.2014", "16:30:00", std::string(20, 'U'), "123456789", std::string(120, 'x')},
  };
  for (std::size_t r = 0; r < expected.size(); ++r) {
    for (std::size_t c = 0; c < expected[r].size(); ++c)
      EXPECT_EQ(rows->value(r, c).toString(), expected[r][c]) << "row " << r << " column " << c;
  }
}

TEST_F(LogActionTest, ARunLogsUnderTheLoggedInUserAndWithoutADatabaseFailsLoudly) {
  AppContext context;
  context.paths = Paths::forAppDir(dir_.path());
  context.paths.dataDir = dir_.path();
  context.user.name = "CASIER";
  context.clock.setFixed(firstDay_);
  EXPECT_THROW(LogAction(context, "7", "x"), engine::Error);
  context.database = std::make_unique<engine::Database>(dir_.path().toStdString());
  LogAction(context, "7", ActionLog::paymentText('N', "3"));
  auto rows = sql::query(*context.database, "SELECT UTILIZATOR, ROL, ACTIUNE FROM " + sql::table(log_.tablePath()));
  ASSERT_EQ(rows->rowCount(), 1u);
  EXPECT_EQ(rows->value(0, 0).toString(), "CASIER");
  EXPECT_EQ(rows->value(0, 1).toString(), "7");
  EXPECT_EQ(rows->value(0, 2).toString(), "Operat N nr.3");
}

TEST(LogTexts, PaymentTextsByDocumentKind) {
  const std::pair<char, const char*> cases[] = {
      {'C', "Operat C nr.7"}, {'N', "Operat N nr.7"}, {'O', "Operat O nr.7"}, {'V', "Operat V nr.7"}};
  for (const auto& [kind, text] : cases) EXPECT_EQ(ActionLog::paymentText(QChar(kind), "7"), text);
}

}  // namespace
}  // namespace dajdor
