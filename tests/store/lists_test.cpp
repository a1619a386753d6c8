#include "store/lists.h"

#include "data_dir_fixture.h"
#include "store/sql_helpers.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

namespace dajdor::testing {
namespace {

class ListsTest : public DataDirTest {
 protected:
  void SetUp() override {
    DataDirTest::SetUp();
    StartupResult result = start(QDate(2014, 3, 3));
    db_ = std::move(result.database);
    ASSERT_TRUE(db_);
  }
  void exec(const QString& statement) { sql::execute(*db_, statement); }
  std::unique_ptr<engine::Database> db_;
};

TEST_F(ListsTest, VillagesAreTaxpayerVillagesThenOtherLocalities) {
  for (const char* row : {"1, \"Vale\"", "2, \"Deal\"", "3, \"Vale\"", "4, \"\"", "5, \"  \""}) {
    exec("INSERT INTO \"" + dataFile("Gospodar.dbf") + "\" (IDGOS, SATUL) VALUES (" + row + ")");
  }
  for (const char* row : {"1, \"Vale\"", "2, \"Munte\"", "3, \"Balta\"", "4, \"\"", "5, \"vale\""}) {
    exec("INSERT INTO \"" + dataFile("DefZone.dbf") + "\" (ID, LOCALIT) VALUES (" + row + ")");
  }
  EXPECT_EQ(FillVillageList(*db_, dataDir()), QStringList({"Deal", "Vale", "Balta", "Munte", "vale"}));
  EXPECT_EQ(distinctValues(*db_, dataFile("Gospodar.dbf"), "SATUL"), QStringList({"Deal", "Vale"}));
  // A condition's value is a value, never statement text.
  EXPECT_EQ(distinctValues(*db_, dataFile("Gospodar.dbf"), "SATUL", {{"SATUL", "Vale"}}), QStringList({"Vale"}));
  EXPECT_EQ(distinctValues(*db_, dataFile("Gospodar.dbf"), "SATUL", {{"SATUL", "x\" OR SATUL<>\""}}), QStringList());
}

TEST_F(ListsTest, BudgetCodeOfAGroupByPersonType) {
  exec("UPDATE \"" + dataFile("CODCL.dbf") + "\" SET CODCLF=\"07.02.01.01\", CODCLJ=\"07.02.01.02\" "
       "WHERE GRUPA=\"Impozit pe cladiri\"");
  EXPECT_EQ(GroupBudgetCode(*db_, dataDir(), "Impozit pe cladiri", true), "07.02.01.01");
  EXPECT_EQ(GroupBudgetCode(*db_, dataDir(), "Impozit pe cladiri", false), "07.02.01.02");
  EXPECT_EQ(GroupBudgetCode(*db_, dataDir(), "Paza", true), "");
  EXPECT_EQ(GroupBudgetCode(*db_, dataDir(), "Taxa \"speciala\"", true), "");  // quoted, not a broken statement
}

}  // namespace
}  // namespace dajdor::testing
