// Keyed statements reach their rows through the tables' hash indexes: the plan
// names the indexed field instead of a scan, for the first table, for joins and
// inside correlated sub-selects.
#include "sql_fixture.h"
#include "store/engine/sql/parser.h"
#include "store/engine/sql/planner.h"
#include "store/engine/storage/table.h"

#include <gtest/gtest.h>

namespace {

using engine::sqlexec::Planner;
using engine::sqlexec::SelectPlan;

class AccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      engine::Database db(dir_.path().string());
      sqltest::createSampleTables(db);
    }
    catalog_ = std::make_unique<engine::Catalog>(dir_.path().string());
  }
  std::shared_ptr<SelectPlan> plan(const std::string& sql) {
    statement_ = sql;
    parsed_ = engine::sqlparse::parseStatement(statement_);
    Planner planner(*catalog_, statement_);
    return planner.select(std::get<engine::sqlparse::SelectStmt>(parsed_));
  }
  int field(const SelectPlan& p, std::size_t source, const char* name) { return p.tables[source]->fieldIndex(name); }

  sqltest::ScratchDir dir_;
  std::unique_ptr<engine::Catalog> catalog_;
  std::string statement_;
  engine::sqlparse::Statement parsed_;
};

TEST_F(AccessTest, KeyedConditionsOnTheFirstTableUseItsIndex) {
  const char* keyed[] = {
      R"(SELECT * FROM "Datorii.dbf" WHERE IDGOS=123)",
      R"(SELECT * FROM "Datorii.dbf" WHERE SUMA>0 AND 123=IDGOS)",
      R"(SELECT * FROM "Datorii.dbf" D WHERE D.IDGOS IN (1, 2, 3))",
      R"(SELECT GRUPA, SUM(SUMA) AS S FROM "Datorii.dbf" WHERE IDGOS=5 AND (GRUPA="A" OR GRUPA="B") GROUP BY GRUPA)",
  };
  for (const char* sql : keyed) {
    const auto p = plan(sql);
    EXPECT_EQ(p->accessField, field(*p, 0, "IDGOS")) << sql;
    EXPECT_FALSE(p->accessKeys.empty()) << sql;
  }
}

TEST_F(AccessTest, EqualityJoinsProbeTheJoinedTablesIndex) {
  const char* joins[] = {
      R"(SELECT * FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS)",
      R"(SELECT * FROM "Gospodar.dbf" G LEFT JOIN "Datorii.dbf" D ON D.IDGOS=G.IDGOS AND D.SUMA>0)",
      R"(SELECT * FROM "Gospodar.dbf" G, "Datorii.dbf" D WHERE G.SATUL="Deal" AND G.IDGOS=D.IDGOS)",
  };
  for (const char* sql : joins) {
    const auto p = plan(sql);
    ASSERT_EQ(p->steps.size(), 1u);
    EXPECT_EQ(p->steps[0].lookupField, field(*p, 1, "IDGOS")) << sql;
  }
  // An equality on an expression hashes the joined table once instead.
  const auto hashed = plan(R"(SELECT * FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON G.IDGOS=D.IDDAT-9)");
  EXPECT_EQ(hashed->steps[0].lookupField, -1);
  EXPECT_NE(hashed->steps[0].buildKey, nullptr);
}

TEST_F(AccessTest, CorrelatedSubselectProbesByTheOuterValue) {
  const auto p = plan(R"(SELECT G.IDGOS, (SELECT MAX(SUMA) FROM "Datorii.dbf" D WHERE D.IDGOS=G.IDGOS) AS M FROM "Gospodar.dbf" G WHERE G.IDGOS=1)");
  const auto& scalar = *p->columns[1].expr;
  ASSERT_TRUE(scalar.sub);
  EXPECT_TRUE(scalar.sub->correlated);
  EXPECT_EQ(scalar.sub->plan->accessField, field(*scalar.sub->plan, 0, "IDGOS"));
}

}  // namespace
