// The bytes the engine writes and what it makes of bytes others wrote.
#include "dbf_test_support.h"
#include "sql_fixture.h"
#include "store/engine/storage/table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using engine::Catalog;
using engine::FieldDesc;
using engine::Value;
using storagetest::le;
using storagetest::readBytes;
using testing::HasSubstr;

class DbfFormatTest : public testing::Test {
 protected:
  sqltest::ScratchDir dir;

  // Runs `work` as one writing statement of a fresh catalog.
  template <class Work>
  void write(Work&& work) {
    Catalog catalog(dir.path().string());
    catalog.beginStatement(true);
    try {
      work(catalog);
    } catch (...) {
      catalog.abortStatement();
      throw;
    }
    catalog.endStatement();
  }
};

TEST_F(DbfFormatTest, CreatedTableHasTheDbaseLayoutByteForByte) {
  write([](Catalog& c) {
    c.create("Plati.dbf", {{"Nume", 'C', 10, 0}, {"SUMA", 'N', 6, 0}, {"ARIE", 'N', 8, 2}, {"ZI", 'D', 8, 0}});
    auto t = c.open("PLATI.DBF");
    t->appendRecord({Value::text("Ştefan"), Value::integer(12), Value::decimal(125, 1), Value::date(41699)});
    t->appendRecord({Value::text(""), Value(), Value::number(-0.005), Value()});
  });
  const std::string b = readBytes(dir.path() / "Plati.dbf");
  const std::size_t header = 32 + 4 * 32 + 1, record = 1 + 10 + 6 + 8 + 8;
  ASSERT_EQ(b.size(), header + 2 * record + 1);
  EXPECT_EQ(b[0], 0x03);
  EXPECT_EQ(le(b, 4, 4), 2u);
  EXPECT_EQ(le(b, 8, 2), header);
  EXPECT_EQ(le(b, 10, 2), record);
  EXPECT_EQ(static_cast<unsigned char>(b[28]), 0);
  EXPECT_EQ(static_cast<unsigned char>(b[29]), 0xC8);
  EXPECT_EQ(b.substr(32, 11), std::string("NUME\0\0\0\0\0\0\0", 11));
  EXPECT_EQ(b[32 + 11], 'C');
  EXPECT_EQ(b[32 + 16], 10);
  EXPECT_EQ(b[64 + 11], 'N');
  EXPECT_EQ(b[96 + 16], 8);
  EXPECT_EQ(b[96 + 17], 2);
  EXPECT_EQ(b[128 + 11], 'D');
  EXPECT_EQ(b[header - 1], 0x0D);
  EXPECT_EQ(b.substr(header, record), std::string(" \xAA" "tefan        12   12.5020140301"));
  EXPECT_EQ(b.substr(header + record, record), std::string(" " + std::string(10, ' ') + std::string(6, ' ') + "   -0.01" + std::string(8, ' ')));
  EXPECT_EQ(b.back(), 0x1A);
}

TEST_F(DbfFormatTest, ValuesComeBackTypedWithBlanksAsNull) {
  write([](Catalog& c) {
    c.create("T.dbf", {{"TXT", 'C', 8, 0}, {"NR", 'N', 6, 0}, {"Q", 'N', 9, 4}, {"ZI", 'D', 8, 0}});
    auto t = c.open("T.dbf");
    t->appendRecord({Value::text("ab  "), Value::integer(-5), Value::parseNumber("1.5"), Value::text("01.03.2014")});
    t->appendRecord({});
  });
  Catalog c(dir.path().string());
  auto t = c.open("t.DBF");
  EXPECT_EQ(t->get(0, 0).textRef(), "ab");
  EXPECT_EQ(t->get(0, 1).toString(), "-5");
  EXPECT_EQ(t->get(0, 2).toString(), "1.5");
  EXPECT_TRUE(t->get(0, 3).isDate());
  EXPECT_EQ(t->get(0, 3).toString(), "01.03.2014");
  EXPECT_TRUE(t->get(1, 0).isText());
  EXPECT_EQ(t->get(1, 0).textRef(), "");
  EXPECT_TRUE(t->get(1, 1).isNull());
  EXPECT_TRUE(t->get(1, 2).isNull());
  EXPECT_TRUE(t->get(1, 3).isNull());
}

TEST_F(DbfFormatTest, ValueThatDoesNotFitIsRefusedNamingTableFieldAndValue) {
  write([](Catalog& c) {
    c.create("Gospodar.dbf", {{"ROL", 'C', 3, 0}, {"SUMA", 'N', 6, 0}, {"CANT", 'N', 6, 2}, {"ZI", 'D', 8, 0}});
    c.open("Gospodar.dbf")->appendRecord({Value::text("1"), Value::integer(1), Value::integer(1), Value()});
  });
  struct Case {
    int field;
    Value value;
    const char* shown;
  };
  const Case cases[] = {
      {0, Value::text("1234"), "1234"},
      {0, Value::text("ăăăă"), "ăăăă"},  // four characters, four bytes
      {0, Value::text("ñ"), "ñ"},
      {1, Value::integer(1234567), "1234567"},
      {1, Value::integer(-123456), "-123456"},
      {1, Value::text("12a"), "12a"},
      {2, Value::parseNumber("1000.5"), "1000.5"},  // 1000.50 needs 7 places
      {3, Value::text("31.02.2014"), "31.02.2014"},
  };
  for (const auto& c : cases) {
    Catalog catalog(dir.path().string());
    catalog.beginStatement(true);
    auto t = catalog.open("Gospodar.dbf");
    try {
      t->set(0, c.field, c.value);
      ADD_FAILURE() << "accepted " << c.shown;
    } catch (const engine::Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("Gospodar.dbf")) << c.shown;
      EXPECT_THAT(e.what(), HasSubstr(t->fields()[static_cast<std::size_t>(c.field)].name)) << c.shown;
      EXPECT_THAT(e.what(), HasSubstr(c.shown));
    }
    catalog.abortStatement();
  }
  Catalog c(dir.path().string());
  auto t = c.open("Gospodar.dbf");
  EXPECT_EQ(t->get(0, 0).textRef(), "1");
  EXPECT_EQ(t->get(0, 1).toString(), "1");
  // Trailing blanks do not count against the width.
  c.beginStatement(true);
  EXPECT_NO_THROW(t->set(0, 0, Value::text("abc   ")));
  c.abortStatement();
}

TEST_F(DbfFormatTest, DamagedFilesGiveAClearErrorOrAreReadAsFarAsTheyAreSound) {
  const std::string good = storagetest::handMadeDbf({{"NR", 'N', 4, 0}, {"TXT", 'C', 3, 0}},
                                                    {"   1abc", "   2def", "   3ghi"});
  struct Case {
    const char* name;
    std::string bytes;
    const char* error;  // nullptr: readable
  };
  std::string hugeHeader = good;
  hugeHeader[8] = '\xFF', hugeHeader[9] = '\x7F';
  std::string wrongRecordLength = good;
  wrongRecordLength[10] = 9;
  std::string noFields = good;
  noFields[32] = 0x0D;
  const Case cases[] = {
      {"empty", "", "prea scurt"},
      {"short", good.substr(0, 20), "prea scurt"},
      {"header", hugeHeader, "lungimea antetului"},
      {"record", wrongRecordLength, "lungimea înregistrării"},
      {"nofields", noFields, "nu are niciun câmp"},
  };
  for (const auto& c : cases) {
    storagetest::writeBytes(dir.path() / "Bad.dbf", c.bytes);
    Catalog catalog(dir.path().string());
    try {
      catalog.open("Bad.dbf");
      ADD_FAILURE() << c.name;
    } catch (const engine::Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("Bad.dbf")) << c.name;
      EXPECT_THAT(e.what(), HasSubstr(c.error)) << c.name;
    }
    EXPECT_EQ(readBytes(dir.path() / "Bad.dbf"), c.bytes) << c.name;
  }

  // Cut in the middle of the third record: two records are read, writes refused,
  // the file stays as it was.
  const std::string cut = good.substr(0, good.size() - 5);
  storagetest::writeBytes(dir.path() / "Cut.dbf", cut);
  Catalog catalog(dir.path().string());
  auto t = catalog.open("Cut.dbf");
  ASSERT_EQ(t->recordCount(), 2u);
  EXPECT_EQ(t->get(1, 1).textRef(), "def");
  catalog.beginStatement(true);
  try {
    t->appendRecord({Value::integer(4)});
    ADD_FAILURE() << "wrote into a damaged table";
  } catch (const engine::Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("deteriorată"));
  }
  catalog.abortStatement();
  EXPECT_EQ(readBytes(dir.path() / "Cut.dbf"), cut);
}

TEST_F(DbfFormatTest, ForeignTablesReadAsWindows1250WithExtraTypesTolerated) {
  for (unsigned char driver : {0x00, 0x57, 0x64, 0xC8}) {
    storagetest::writeBytes(
        dir.path() / "Agricol.dbf",
        storagetest::handMadeDbf({{"NUME", 'C', 6, 0}, {"ACTIV", 'L', 1, 0}, {"NOTE", 'M', 10, 0}, {"ARIE", 'F', 8, 3},
                                  {"NR", 'N', 5, 0}},
                                 {"\xAA" "ERB  T         1    2.500  ***", "ion  ?0000000012  -1.250 12x45"}, driver,
                                 0x83));
    Catalog catalog(dir.path().string());
    auto t = catalog.open("Agricol.dbf");
    ASSERT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->get(0, 0).textRef(), "ŞERB");
    EXPECT_EQ(t->get(0, 1).textRef(), "T");
    EXPECT_TRUE(t->get(1, 1).isNull());
    EXPECT_TRUE(t->get(0, 2).isNull());
    EXPECT_EQ(t->get(0, 3).toString(), "2.5");
    EXPECT_EQ(t->get(1, 3).toString(), "-1.25");
    EXPECT_TRUE(t->get(0, 4).isNull());  // overflow stars
    EXPECT_TRUE(t->get(1, 4).isNull());  // garbage
  }
}

}  // namespace
