#include "store/create_tables.h"

#include "data_dir_fixture.h"
#include "store/sql_helpers.h"

#include <gtest/gtest.h>

#include <QDir>

#include "store/qt_printers.h"

namespace dajdor::testing {
namespace {

class CreateTablesTest : public DataDirTest {
 protected:
  void SetUp() override {
    DataDirTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(dataDir()));
    db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  }
  QStringList create(const QList<IniRow>& rows) {
    return CreateTables(*db_, dataDir(), rows, settings_, ui_, dir_.filePath("no-models"));
  }
  bool exists(const QString& file) { return db_->tableExists(dataFile(file).toStdString()); }

  std::unique_ptr<engine::Database> db_;
  SettingsFile settings_{dataDir() + "/Dajdor.set"};
};

// A table whose first rows cannot all be written is not left half-filled: it
// goes again, the others are made, and the next start creates it whole.
TEST_F(CreateTablesTest, TableWithoutItsFirstRowsIsNotKept) {
  QList<IniRow> iniRows = fakeIniRows();
  iniRows.append({"FORM4", "PrimarLab", QString(41, 'x')});  // wider than VALOARE
  settings_.WriteCounter("SERVER", "IDCOD", "unu");

  const QStringList created = create(iniRows);
  EXPECT_FALSE(exists("Ini.dbf"));
  EXPECT_FALSE(exists("CODCL.dbf"));
  EXPECT_TRUE(exists("Gospodar.dbf"));
  EXPECT_TRUE(exists("SomDet.dbf"));
  EXPECT_FALSE(created.contains("Ini.dbf"));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().title, "Creare tabele");
  EXPECT_TRUE(ui_.messages.first().text.contains("Ini.dbf"));
  EXPECT_TRUE(ui_.messages.first().text.contains("CODCL.dbf"));

  settings_.WriteCounter("SERVER", "IDCOD", "1");
  EXPECT_EQ(create(fakeIniRows()), QStringList({"Ini.dbf", "CODCL.dbf"}));
  EXPECT_EQ(rows(*db_, "SELECT Count(*) FROM \"" + dataFile("Ini.dbf") + "\""), QStringList({"3"}));
  EXPECT_EQ(rows(*db_, "SELECT MIN(IDCOD), MAX(IDCOD) FROM \"" + dataFile("CODCL.dbf") + "\""), QStringList({"1|12"}));
  EXPECT_TRUE(create(fakeIniRows()).isEmpty());  // existing files are never touched
}

TEST_F(CreateTablesTest, ValuesWithQuotesAreStoredAsTyped) {
  create({{"FORM4", "PrimariaLab", "Primaria \"Vale\""}});
  EXPECT_EQ(rows(*db_, "SELECT VALOARE FROM \"" + dataFile("Ini.dbf") + "\""), QStringList({"Primaria \"Vale\""}));
}

}  // namespace
}  // namespace dajdor::testing
