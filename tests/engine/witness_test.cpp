// Independent dBase readers and writers as witnesses: shapelib's dbfdump,
// dbfcreate and dbfadd, and GDAL's ogrinfo. Skipped where the tools are missing.
#include "dbf_test_support.h"
#include "sql_fixture.h"
#include "support/external_tool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using engine::Database;
using testing::HasSubstr;

using witness::haveTool;
using witness::output;
using witness::shellQuote;

class WitnessTest : public testing::Test {
 protected:
  sqltest::ScratchDir dir;
  std::string file(const char* name) const { return (dir.path() / name).string(); }

  void writeSample() {
    Database db(dir.path().string());
    db.execute(R"(CREATE TABLE "Plati.dbf" (NUME CHAR(12), SUMA DECIMAL(6,0), ARIE DECIMAL(8,2), ZI DATE))");
    db.execute(R"(INSERT INTO "Plati.dbf" VALUES ("Ștefan Ţuţu", -12, 3.5, "01.03.2014"))");
    db.execute(R"(INSERT INTO "Plati.dbf" VALUES ("", NULL, 0.125, NULL))");
    db.execute(R"(INSERT INTO "Plati.dbf" VALUES ("Ion", 999999, -0.5, "29.02.2016"))");
  }
};

TEST_F(WitnessTest, DbfdumpReadsWhatTheEngineWrote) {
  if (!haveTool("dbfdump")) GTEST_SKIP() << "dbfdump (shapelib) is not installed";
  writeSample();
  const std::string header = output("dbfdump -h " + shellQuote(file("Plati.dbf")));
  EXPECT_THAT(header, HasSubstr("Type=C/String, Title=`NUME', Width=12, Decimals=0"));
  EXPECT_THAT(header, HasSubstr("Title=`SUMA', Width=6, Decimals=0"));
  EXPECT_THAT(header, HasSubstr("Title=`ARIE', Width=8, Decimals=2"));
  EXPECT_THAT(header, HasSubstr("Title=`ZI', Width=8"));
  const std::string raw = output("dbfdump -m -r " + shellQuote(file("Plati.dbf")));
  // dbfdump shows the field text without its leading blanks, padded to the width.
  const std::string expected =
      "\nRecord: 0\nNUME: \xAA" "tefan \xDEu\xFEu \nSUMA: -12   \nARIE: 3.50    \nZI: 20140301\n"
      "\nRecord: 1\nNUME:             \nSUMA:       \nARIE: 0.13    \nZI:         \n"
      "\nRecord: 2\nNUME: Ion         \nSUMA: 999999\nARIE: -0.50   \nZI: 20160229\n\n";
  EXPECT_EQ(raw, expected);
}

TEST_F(WitnessTest, OgrinfoDecodesTheTextAsWindows1250) {
  if (!haveTool("ogrinfo")) GTEST_SKIP() << "ogrinfo (GDAL) is not installed";
  writeSample();
  const std::string out = output("ogrinfo -q -al " + shellQuote(file("Plati.dbf")) + " 2>/dev/null");
  EXPECT_THAT(out, HasSubstr("NUME (String) = Ştefan Ţuţu"));
  EXPECT_THAT(out, HasSubstr("SUMA (Integer) = -12"));
  EXPECT_THAT(out, HasSubstr("ARIE (Real) = 3.50"));
  EXPECT_THAT(out, HasSubstr("ZI (Date) = 2014/03/01"));
  EXPECT_THAT(out, HasSubstr("ZI (Date) = 2016/02/29"));
}

// shapelib writes numeric fields at the published widths (N 6.0, N 8.2): the
// engine keeps them, fills them to the last digit and refuses what does not fit.
TEST_F(WitnessTest, EngineReadsAndExtendsATableWrittenByShapelib) {
  if (!haveTool("dbfcreate") || !haveTool("dbfadd") || !haveTool("dbfdump"))
    GTEST_SKIP() << "shapelib tools are not installed";
  const std::string path = shellQuote(file("Extern.dbf"));
  output("dbfcreate " + path + " -s NUME 20 -n SUMA 6 0 -n ARIE 8 2");
  output("dbfadd " + path + " " + shellQuote("\xAA" "erban \xE3") + " 12 3.5");
  output("dbfadd " + path + " '' '' ''");
  output("dbfadd " + path + " 'Ana' -7 -1.25");
  {
    Database db(dir.path().string());
    EXPECT_EQ(sqltest::run(db, R"(SELECT NUME, SUMA, ARIE FROM "EXTERN.DBF")"),
              "NUME\tSUMA\tARIE\nŞerban ă\t12\t3.5\n\t\t\nAna\t-7\t-1.25\n");
    EXPECT_EQ(sqltest::run(db, R"(SELECT Count(*) AS N FROM "Extern.dbf" WHERE SUMA IS NULL)"), "N\n1\n");
    db.execute(R"(INSERT INTO "Extern.dbf" VALUES ("Ţara", 999999, -9999.99))");
    db.execute(R"(UPDATE "Extern.dbf" SET SUMA=-99999 WHERE NUME="Şerban ă")");
    EXPECT_THROW(db.execute(R"(UPDATE "Extern.dbf" SET SUMA=SUMA*10 WHERE NUME="Ţara")"), engine::Error);
    EXPECT_THROW(db.execute(R"(INSERT INTO "Extern.dbf" VALUES ("Mare", 1, 100000))"), engine::Error);
  }
  const std::string header = output("dbfdump -h " + path);
  EXPECT_THAT(header, HasSubstr("Title=`SUMA', Width=6, Decimals=0"));
  EXPECT_THAT(header, HasSubstr("Title=`ARIE', Width=8, Decimals=2"));
  EXPECT_EQ(output("dbfdump -m -r " + path),
            "\nRecord: 0\nNUME: \xAA" "erban \xE3            \nSUMA: -99999\nARIE: 3.50    \n"
            "\nRecord: 1\nNUME:                     \nSUMA: ******\nARIE: ********\n"  // shapelib's NULLs, kept
            "\nRecord: 2\nNUME: Ana                 \nSUMA: -7    \nARIE: -1.25   \n"
            "\nRecord: 3\nNUME: \xDE" "ara                \nSUMA: 999999\nARIE: -9999.99\n\n");
}

}  // namespace
