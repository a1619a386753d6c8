// The table cache: persistence, hash lookups, restructuring and maintenance.
#include "dbf_test_support.h"
#include "sql_fixture.h"
#include "store/engine/storage/table.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using engine::Catalog;
using engine::Database;
using engine::FieldDesc;
using engine::Value;
using Records = std::vector<std::uint32_t>;
using testing::ElementsAre;
using testing::HasSubstr;

class TableTest : public testing::Test {
 protected:
  sqltest::ScratchDir dir;
  std::string path() const { return dir.path().string(); }

  template <class Work>
  static void statement(Catalog& c, Work&& work) {
    c.beginStatement(true);
    try {
      work();
    } catch (...) {
      c.abortStatement();
      throw;
    }
    c.endStatement();
  }

  // Datorii-like table: IDDAT, IDGOS, GRUPA, SUMA.
  void createDebts(Catalog& c, int rows) {
    statement(c, [&] {
      c.create("Datorii.dbf", {{"IDDAT", 'N', 10, 0}, {"IDGOS", 'N', 10, 0}, {"GRUPA", 'C', 20, 0}, {"SUMA", 'N', 6, 0}});
      auto t = c.open("Datorii.dbf");
      for (int i = 0; i < rows; ++i)
        t->appendRecord({Value::integer(i + 1), Value::integer(i % 3), Value::text(i % 2 ? "Salubritate" : "Iluminat"),
                         Value::integer(10 * i)});
    });
  }
};

TEST_F(TableTest, PathsAndFieldsAreFoundWithoutRegardToCase) {
  std::filesystem::create_directories(dir.path() / "Sub");
  Catalog c(path());
  statement(c, [&] { c.create("Sub/Gospodar.dbf", {{"NrDos", 'C', 5, 0}}); });
  for (const std::string& text : std::vector<std::string>{"SUB\\GOSPODAR.DBF", "sub/gospodar.dbf", path() + "\\Sub\\Gospodar.DBF", "Sub/GOSPODAR"}) {
    EXPECT_TRUE(c.exists(text)) << text;
    EXPECT_EQ(c.resolve(text), path() + "/Sub/Gospodar.dbf") << text;
  }
  auto t = c.open("sub\\gospodar.dbf");
  EXPECT_EQ(t->fieldIndex("NRDOS"), 0);
  EXPECT_EQ(t->fieldIndex("nrdos"), 0);
  EXPECT_EQ(t->fieldIndex("NRDO"), -1);
  EXPECT_FALSE(c.exists("Lipsa.dbf"));
  EXPECT_THROW(c.open("Lipsa.dbf"), engine::Error);
  // Every spelling of one file is one cached table, so changes never fork.
  EXPECT_EQ(c.open("./Sub/../sub/GOSPODAR.dbf"), t);
  EXPECT_EQ(c.open(path() + "//Sub//gospodar.dbf"), t);
}

TEST_F(TableTest, WritesPersistAndOnlyTheStatementsThatEndedCount) {
  {
    Catalog c(path());
    createDebts(c, 5);
    statement(c, [&] {
      auto t = c.open("Datorii.dbf");
      t->set(1, 3, Value::integer(77));
      t->markDeleted(2);
    });
    // A statement that fails half-way leaves nothing behind.
    c.beginStatement(true);
    auto t = c.open("Datorii.dbf");
    t->set(0, 3, Value::integer(5));
    t->appendRecord({Value::integer(99)});
    c.abortStatement();
    EXPECT_EQ(t->recordCount(), 5u);
    EXPECT_EQ(t->get(0, 3).toString(), "0");
  }
  Catalog c(path());
  auto t = c.open("DATORII.DBF");
  ASSERT_EQ(t->recordCount(), 5u);
  EXPECT_EQ(t->get(1, 3).toString(), "77");
  EXPECT_TRUE(t->isDeleted(2));
  EXPECT_FALSE(t->isDeleted(3));
  EXPECT_EQ(t->get(0, 3).toString(), "0");
}

TEST_F(TableTest, LookupFollowsEveryKindOfWrite) {
  Catalog c(path());
  createDebts(c, 9);
  auto t = c.open("Datorii.dbf");
  EXPECT_THAT(t->lookup(1, Value::integer(1)), ElementsAre(1u, 4u, 7u));
  EXPECT_THAT(t->lookup(1, Value::text("1")), ElementsAre(1u, 4u, 7u));
  EXPECT_THAT(t->lookup(1, Value::decimal(10, 1)), ElementsAre(1u, 4u, 7u));  // 1.0
  EXPECT_THAT(t->lookup(2, Value::text("Salubritate  ")), ElementsAre(1u, 3u, 5u, 7u));
  EXPECT_TRUE(t->lookup(1, Value()).empty());
  statement(c, [&] {
    t->set(0, 1, Value::integer(1));  // moves into the key, ahead of the others
    t->set(4, 1, Value::integer(2));  // moves out
    t->markDeleted(7);
    t->appendRecord({Value::integer(10), Value::integer(1)});
  });
  EXPECT_THAT(t->lookup(1, Value::integer(1)), ElementsAre(0u, 1u, 9u));
  EXPECT_THAT(t->lookup(1, Value::integer(2)), ElementsAre(2u, 4u, 5u, 8u));
  // A failed statement inside a transaction is undone, indexes included.
  c.begin();
  c.beginStatement(true);
  t->set(1, 1, Value::integer(2));
  c.abortStatement();
  EXPECT_THAT(t->lookup(1, Value::integer(1)), ElementsAre(0u, 1u, 9u));
  c.rollback();
}

TEST_F(TableTest, ChangeFieldWidensKeepingEveryValueAndRefusesMisfits) {
  Catalog c(path());
  statement(c, [&] {
    c.create("Gospodar.dbf", {{"IDGOS", 'N', 10, 0}, {"ADRESA", 'C', 4, 0}, {"SCTE", 'N', 4, 0}});
    auto t = c.open("Gospodar.dbf");
    t->appendRecord({Value::integer(1), Value::text("Deal"), Value::integer(1234)});
    t->appendRecord({Value::integer(2), Value::text("ţ"), Value()});
    t->markDeleted(1);
  });
  c.changeField("Gospodar.dbf", "ADRESA", {"", 0, 80, 0});
  c.changeField("Gospodar.dbf", "scte", {"", 0, 8, 2});
  Catalog fresh(path());
  auto t = fresh.open("Gospodar.dbf");
  EXPECT_EQ(t->fields()[1].length, 80);
  EXPECT_EQ(t->fields()[2].length, 8);
  EXPECT_EQ(t->fields()[2].decimals, 2);
  EXPECT_EQ(t->get(0, 1).textRef(), "Deal");
  EXPECT_EQ(t->get(0, 2).toString(), "1234");
  EXPECT_EQ(t->get(1, 1).textRef(), "ţ");
  EXPECT_TRUE(t->isDeleted(1));
  const std::string before = storagetest::readBytes(dir.path() / "Gospodar.dbf");
  EXPECT_THROW(fresh.changeField("Gospodar.dbf", "ADRESA", {"", 0, 3, 0}), engine::Error);
  EXPECT_THROW(fresh.changeField("Gospodar.dbf", "LIPSA", {"", 0, 3, 0}), engine::Error);
  EXPECT_EQ(storagetest::readBytes(dir.path() / "Gospodar.dbf"), before);
  EXPECT_EQ(fresh.open("Gospodar.dbf")->get(0, 1).textRef(), "Deal");
}

TEST_F(TableTest, AddAndDropFieldsKeepTheOtherValues) {
  Catalog c(path());
  createDebts(c, 3);
  statement(c, [&] {
    c.addField("Datorii.dbf", {"DINV1", 'D', 8, 0});
    c.dropField("Datorii.dbf", "GRUPA");
    c.addField("Datorii.dbf", {"AM5", 'C', 2, 0});
  });
  Catalog fresh(path());
  auto t = fresh.open("Datorii.dbf");
  std::vector<std::string> names;
  for (const auto& f : t->fields()) names.push_back(f.name);
  EXPECT_THAT(names, ElementsAre("IDDAT", "IDGOS", "SUMA", "DINV1", "AM5"));
  EXPECT_EQ(t->get(2, 2).toString(), "20");
  EXPECT_TRUE(t->get(2, 3).isNull());
  EXPECT_EQ(t->get(2, 4).textRef(), "");
  EXPECT_THROW(statement(fresh, [&] { fresh.addField("Datorii.dbf", {"suma", 'N', 3, 0}); }), engine::Error);
}

TEST_F(TableTest, PackRemovesDeletedRowsAndTheProductionIndex) {
  Catalog c(path());
  createDebts(c, 4);
  statement(c, [&] {
    c.open("Datorii.dbf")->markDeleted(0);
    c.open("Datorii.dbf")->markDeleted(2);
  });
  std::string bytes = storagetest::readBytes(dir.path() / "Datorii.dbf");
  bytes[28] = 1;
  storagetest::writeBytes(dir.path() / "Datorii.dbf", bytes);
  storagetest::writeBytes(dir.path() / "DATORII.MDX", "not ours");
  c.pack("datorii.dbf");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "DATORII.MDX"));
  const std::string packed = storagetest::readBytes(dir.path() / "Datorii.dbf");
  EXPECT_EQ(packed[28], 0);
  EXPECT_EQ(storagetest::le(packed, 4, 4), 2u);
  Catalog fresh(path());
  auto t = fresh.open("Datorii.dbf");
  ASSERT_EQ(t->recordCount(), 2u);
  EXPECT_EQ(t->get(0, 0).toString(), "2");
  EXPECT_EQ(t->get(1, 0).toString(), "4");
}

TEST_F(TableTest, DropProductionIndexTouchesOnlyByte28AndTheMdx) {
  Catalog c(path());
  createDebts(c, 2);
  std::string bytes = storagetest::readBytes(dir.path() / "Datorii.dbf");
  bytes[28] = 1;
  storagetest::writeBytes(dir.path() / "Datorii.dbf", bytes);
  storagetest::writeBytes(dir.path() / "Datorii.mdx", "x");
  Database::dropProductionIndex(path() + "\\DATORII.dbf");
  std::string expected = bytes;
  expected[28] = 0;
  EXPECT_EQ(storagetest::readBytes(dir.path() / "Datorii.dbf"), expected);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Datorii.mdx"));
  EXPECT_NO_THROW(Database::dropProductionIndex(path() + "/Lipsa.dbf"));
}

TEST_F(TableTest, AddIndexLeavesAnIndexNamedAfterTheField) {
  Catalog c(path());
  createDebts(c, 3);
  c.addIndex("Datorii.dbf", "idgos");
  EXPECT_THAT(c.open("Datorii.dbf")->declaredIndexes(), ElementsAre("IDGOS"));
  Catalog fresh(path());
  EXPECT_THAT(fresh.open("Datorii.dbf")->declaredIndexes(), ElementsAre("IDGOS"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Datorii.mdx"));
  EXPECT_THROW(c.addIndex("Datorii.dbf", "LIPSA"), engine::Error);
}

TEST_F(TableTest, MaintenanceNeedsTheOnlyOpenCopy) {
  Catalog c(path());
  createDebts(c, 2);
  Catalog other(path());
  other.open("Datorii.dbf");
  for (auto op : {+[](Catalog& k) { k.pack("Datorii.dbf"); }, +[](Catalog& k) { k.addIndex("Datorii.dbf", "IDGOS"); },
                  +[](Catalog& k) { k.changeField("Datorii.dbf", "GRUPA", {"", 0, 30, 0}); }}) {
    try {
      op(c);
      ADD_FAILURE() << "maintenance ran while another copy had the table open";
    } catch (const engine::Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("exclusivă"));
    }
  }
  EXPECT_EQ(c.open("Datorii.dbf")->fields()[2].length, 20);
}

TEST_F(TableTest, StructureCannotChangeInsideATransaction) {
  Catalog c(path());
  createDebts(c, 1);
  c.begin();
  EXPECT_THROW(c.create("Nou.dbf", {{"A", 'C', 1, 0}}), engine::Error);
  EXPECT_THROW(c.addField("Datorii.dbf", {"B", 'C', 1, 0}), engine::Error);
  EXPECT_THROW(c.drop("Datorii.dbf"), engine::Error);
  c.rollback();
  EXPECT_TRUE(c.exists("Datorii.dbf"));
  EXPECT_FALSE(c.exists("Nou.dbf"));
}

TEST_F(TableTest, ChangesByAnotherCopyAreSeenByTheNextStatement) {
  Catalog mine(path());
  createDebts(mine, 3);
  auto t = mine.open("Datorii.dbf");
  EXPECT_EQ(t->get(0, 3).toString(), "0");
  Catalog theirs(path());
  // Same size, same second: only the change counter tells.
  statement(theirs, [&] { theirs.open("Datorii.dbf")->set(0, 3, Value::integer(5)); });
  mine.beginStatement(false);
  EXPECT_EQ(mine.open("Datorii.dbf")->get(0, 3).toString(), "5");
  EXPECT_THAT(t->lookup(3, Value::integer(5)), ElementsAre(0u));
  mine.endStatement();
  // Rows only added: read without re-reading the file, built indexes included.
  statement(theirs, [&] {
    auto other = theirs.open("Datorii.dbf");
    other->appendRecord({Value::integer(4), Value::integer(1), Value::text("Paza"), Value::integer(5)});
    other->appendRecord({Value::integer(5), Value::integer(9)});
  });
  EXPECT_EQ(mine.open("Datorii.dbf"), t);
  ASSERT_EQ(t->recordCount(), 5u);
  EXPECT_EQ(t->get(3, 2).textRef(), "Paza");
  EXPECT_THAT(t->lookup(3, Value::integer(5)), ElementsAre(0u, 3u));
  // Existing rows changed too: everything is read again.
  statement(theirs, [&] {
    auto other = theirs.open("Datorii.dbf");
    other->markDeleted(0);
    other->appendRecord({Value::integer(6)});
  });
  mine.open("Datorii.dbf");
  EXPECT_EQ(t->recordCount(), 6u);
  EXPECT_TRUE(t->isDeleted(0));
  EXPECT_THAT(t->lookup(3, Value::integer(5)), ElementsAre(3u));
  statement(theirs, [&] { theirs.drop("Datorii.dbf"); });
  EXPECT_THROW(mine.open("Datorii.dbf"), engine::Error);
}

TEST_F(TableTest, ATableRemovedByAnotherProgramCanBeCreatedAgain) {
  Catalog mine(path());
  createDebts(mine, 2);
  mine.open("Datorii.dbf");  // cached here
  std::filesystem::remove(dir.path() / "Datorii.dbf");
  statement(mine, [&] { mine.create("Datorii.dbf", {{"IDDAT", 'N', 10, 0}}); });
  auto fresh = mine.open("Datorii.dbf");
  EXPECT_EQ(fresh->recordCount(), 0u);
  EXPECT_EQ(fresh->fields().size(), 1u);
  EXPECT_THROW(statement(mine, [&] { mine.create("Datorii.dbf", {{"IDDAT", 'N', 10, 0}}); }),
               engine::Error);
}

}  // namespace
