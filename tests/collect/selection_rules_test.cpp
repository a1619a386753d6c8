// The choices and checks of "Lista de incasat", "Borderouri" and "Rapoarte".
#include "collect/collect_fixture.h"
#include "collect/selection_rules.h"

#include "store/qt_printers.h"
#include "store/sql_helpers.h"
#include "store/village_file.h"

#include <QDir>

namespace dajdor::testing {
namespace {

using collect::DebitBatch;

class SelectionRulesTest : public CollectTest {};

TEST_F(SelectionRulesTest, DebitBatchesByTypeAndNumber) {
  const auto debt = [&](std::int64_t nr, std::int64_t rest, std::int64_t suma, std::int64_t reduc, const char* tip) {
    insert("Datorii.dbf", {{"IDGOS", sql::number(1)}, {"NR", sql::number(nr)}, {"RESTINI", sql::number(rest)},
                           {"SUMA2", sql::number(suma)}, {"REDUC", sql::number(reduc)}, {"TIP", sql::quote(tip)}});
  };
  debt(5, 10, 20, 7, "M");
  debt(5, 0, 15, 0, "M");
  debt(5, 500, 500, 50, "A");  // from the assessment: no batch
  debt(6, 0, 0, 0, "M");       // nothing
  add(StoredDebit{.initial = 100, .unpaid = 100, .nr = 8});
  add(StoredDebit{.initial = -40, .unpaid = -40, .nr = 9});
  add(StoredDebit{.initial = 10, .unpaid = 10, .nr = 5});
  EXPECT_EQ(collect::debitBatches(*db_, dataDir(), appDir()),
            (QList<DebitBatch>{{"BD", 5, 55}, {"BD", 8, 100}, {"BS", 5, 7}, {"BS", 9, 40}}));
  EXPECT_TRUE(QDir(appDir()).entryList({"BordSel*"}).isEmpty());
}

TEST_F(SelectionRulesTest, VillagesFromTheVillageFileOrTheTables) {
  add(StoredTaxpayer{.idgos = 1, .village = "VALE"});
  add(StoredTaxpayer{.idgos = 2, .village = "DEALU"});
  add(StoredBalance{.idgos = 2});
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "SoldCalc.dbf") + " SET SATUL=" + sql::quote("DEALU"));
  EXPECT_EQ(collect::reportVillages(*db_, dataDir()), QStringList{"DEALU"});
  EXPECT_EQ(collect::collectionListVillages(*db_, dataDir()), (QStringList{"DEALU", "VALE"}));
  EXPECT_EQ(readVillageFile(dataDir()), (QStringList{"DEALU", "VALE"}));  // saved for the next time
  writeVillageFile(dataDir(), {"MUNTE"});
  EXPECT_EQ(collect::collectionListVillages(*db_, dataDir()), QStringList{"MUNTE"});
  EXPECT_EQ(collect::reportVillages(*db_, dataDir()), QStringList{"MUNTE"});
}

TEST(SelectionRules, ChecksOfTheListAndTheReportRange) {
  const QDate today(2014, 5, 10);
  EXPECT_EQ(collect::collectionListProblem("", today, today)->text, "Nu ati ales satul!");
  EXPECT_EQ(collect::collectionListProblem("DEALU", today.addDays(-1), today)->text,
            "Data aleasa nu poate fi din trecut!");
  EXPECT_FALSE(collect::collectionListProblem(" * indiferent *", today, today));
  EXPECT_FALSE(collect::collectionListProblem("DEALU", today.addDays(3), today));

  EXPECT_EQ(collect::reportRangeProblem("", 1, 5)->text, "Nu aveti nici o localitate selectata!");
  EXPECT_EQ(collect::reportRangeProblem("DEALU", 6, 5)->text, "Interval incorect!");
  EXPECT_EQ(collect::reportRangeProblem("DEALU", 0, 0)->text, "Nu ati ales intervalul!");
  EXPECT_FALSE(collect::reportRangeProblem("DEALU", 5, 5));
}

}  // namespace
}  // namespace dajdor::testing
