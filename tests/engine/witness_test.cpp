// Independent dBase readers and writers as witnesses: shapelib's dbfdump,
// dbfcreate and dbfadd, and GDAL's ogrinfo. Skipped where the tools are missing.
#include "dbf_test_support.h"
#include "sql_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using engine::Database;
using testing::HasSubstr;

bool haveTool(const char* name) { return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0; }

std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buf[4096];
  std::size_t n = 0;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

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
  EXPECT_THAT(header, HasSubstr("Title=`SUMA', Width=7, Decimals=0"));
  EXPECT_THAT(header, HasSubstr("Title=`ARIE', Width=10, Decimals=2"));
  EXPECT_THAT(header, HasSubstr("Title=`ZI', Width=8"));
  const std::string raw = output("dbfdump -m -r " + shellQuote(file("Plati.dbf")));
  // dbfdump shows the field text without its leading blanks, padded to the width.
  const std::string expected =
      "\nRecord: 0\nNUME: \xAA" "tefan \xDEu\xFEu \nSUMA: -12    \nARIE: 3.50      \nZI: 20140301\n"
      "\nRecord: 1\nNUME:             \nSUMA:        \nARIE: 0.13      \nZI:         \n"
      "\nRecord: 2\nNUME: Ion         \nSUMA: 999999 \nARIE: -0.50     \nZI: 20160229\n\n";
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
    db.execute(R"(INSERT INTO "Extern.dbf" VALUES ("Ţara", 5, 0.5))");
    db.execute(R"(UPDATE "Extern.dbf" SET SUMA=13 WHERE NUME="Şerban ă")");
  }
  const std::string after = output("dbfdump " + path);
  EXPECT_THAT(after, HasSubstr("\xAA" "erban \xE3"));
  EXPECT_THAT(after, HasSubstr("13"));
  EXPECT_THAT(after, HasSubstr("\xDE" "ara"));
  EXPECT_THAT(after, HasSubstr("-1.25"));
}

}  // namespace
