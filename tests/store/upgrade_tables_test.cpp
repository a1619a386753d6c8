#include "store/upgrade_tables.h"

#include "data_dir_fixture.h"
#include "store/schema.h"
#include "store/sql_helpers.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>

#include "store/qt_printers.h"

namespace dajdor::testing {
namespace {

const QDate kDay(2014, 2, 10);

// A data directory as the previous versions left it.
class UpgradeTest : public DataDirTest {
 protected:
  void SetUp() override {
    DataDirTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(dataDir()));
    db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  }
  void exec(const QString& statement) { sql::execute(*db_, statement); }
  QString t(const QString& file) const { return "\"" + dataFile(file) + "\""; }
  QStringList sortedLayout(const QString& file) {
    QStringList fields = layout(*db_, dataFile(file));
    for (QString& f : fields) f = f.toUpper();
    std::sort(fields.begin(), fields.end());
    return fields;
  }

  void buildOldLayouts() {
    QString pag2 = "IDGOS DECIMAL(10,0)";
    for (int n = 1; n <= 4; ++n) {
      pag2 += QString(", C%1S DECIMAL(8,2), C%1A DECIMAL(6,0), C%1C DECIMAL(6,0), C%1Z CHAR(1), C%1R CHAR(3), NR%1 DECIMAL(6,0)").arg(n);
    }
    for (int n = 1; n <= 4; ++n) pag2 += QString(", V%1 DECIMAL(8,0), AM%1 CHAR(2), INV%1 CHAR(2)").arg(n);
    pag2 += ", CAS DECIMAL(8,2), CAA DECIMAL(6,0), CAC DECIMAL(6,0), CAZ CHAR(1), CAR CHAR(3)"
            ", CAS2 DECIMAL(8,2), CAA2 DECIMAL(6,0), CAC2 DECIMAL(6,0), CAZ2 CHAR(1), CAR2 CHAR(3)"
            ", VA1 DECIMAL(8,0), AMA1 CHAR(2), INVA1 CHAR(2), VA2 DECIMAL(8,0), AMA2 CHAR(2), INVA2 CHAR(2)";
    exec("CREATE TABLE " + t("Pag2.dbf") + " (" + pag2 + ")");
    exec("INSERT INTO " + t("Pag2.dbf") +
         " (IDGOS, C1S, NR1, V1, AM1, INV1, INV2, INV3, INV4, INVA1, INVA2, CAS) "
         "VALUES (1, 120.5, 2, 30000, \"DA\", \"DA\", \"NU\", \"DA\", \"\", \"NU\", \"DA\", 14.25)");
    exec("INSERT INTO " + t("Pag2.dbf") + " (IDGOS, V1) VALUES (2, 500)");

    exec("CREATE TABLE " + t("Ini.dbf") + " (FORMA CHAR(12), NUME CHAR(32), VALOARE CHAR(40))");
    for (const char* row : {"\"FORM4\", \"PrimariaLab\", \"Primaria Vale\"", "\"FORM4\", \"EC3ZE\", \"7\"",
                            "\"FORM4\", \"PAS1\", \"10\"", "\"FORM4\", \"PAS4\", \"40\"", "\"FR12\", \"PAS2\", \"5\""}) {
      exec("INSERT INTO " + t("Ini.dbf") + " (FORMA, NUME, VALOARE) VALUES (" + row + ")");
    }

    QString pag1 = "IDGOS DECIMAL(10,0)";
    for (int n = 1; n <= 11; ++n) {
      for (const char zone : {'A', 'B', 'C', 'D'}) pag1 += QString(", L%1%2 DECIMAL(8,4)").arg(n).arg(zone);
    }
    exec("CREATE TABLE " + t("Pag1.dbf") + " (" + pag1 + ")");
    exec("INSERT INTO " + t("Pag1.dbf") + " (IDGOS, L1A, L11D) VALUES (1, 0.25, 1.5)");

    exec("CREATE TABLE " + t("Gospodar.dbf") +
         " (IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), CNP CHAR(13), ADRESA CHAR(40), "
         "TIP CHAR(8), SCCLAD CHAR(2), SCCC CHAR(2), SCTI CHAR(2), SCAUTO CHAR(2), SCTE DECIMAL(6,0), OBS CHAR(80), "
         "NOTAX CHAR(2))");
    exec("INSERT INTO " + t("Gospodar.dbf") +
         " (IDGOS, SATUL, ROL, NUMEP, ADRESA) VALUES (1, \"Vale\", \"12\", \"Popescu Ion\", \"Str. Morii nr. 4\")");
    for (const char* file : {"Chitante.dbf", "ChitAnul.dbf", "Confirm.dbf"}) {
      const QString narrow = schema::findTable(file)->createList().replace("ADRESA CHAR(80)", "ADRESA CHAR(40)");
      exec("CREATE TABLE " + t(file) + " " + narrow);
      exec("INSERT INTO " + t(file) + " (IDGOS, ADRESA) VALUES (1, \"Str. Morii nr. 4\")");
    }

    exec("CREATE TABLE " + t("CODCL.dbf") +
         " (IDCOD DECIMAL(10,0), GRUPA CHAR(60), CODCLF CHAR(24), CODCLJ CHAR(24), TIP CHAR(1))");
    for (const char* row : {"4, \"Impozit pe teren extravilan\", \"07.02.02\", \"\", \"I\"",
                            "5, \"Apa potabila\", \"33.02.28\", \"\", \"T\"", "15, \"Apa potabila\", \"\", \"\", \"T\""}) {
      exec("INSERT INTO " + t("CODCL.dbf") + " VALUES (" + row + ")");
    }

    exec("CREATE TABLE " + t("Pag6.dbf") + " (IDGOS DECIMAL(10,0), PAS1 DECIMAL(6,0), PAS2 DECIMAL(6,0))");
    exec("INSERT INTO " + t("Pag6.dbf") + " (IDGOS, PAS1) VALUES (1, 3)");

    exec("CREATE TABLE " + t("SomDet.dbf") +
         " (IDSOM DECIMAL(10,0), IDGOS DECIMAL(10,0), GRUPA CHAR(60), TERMEN DECIMAL(6,0), RAMASITA DECIMAL(10,0), "
         "CURENT DECIMAL(10,0), ACCESORII DECIMAL(10,0))");
    exec("INSERT INTO " + t("SomDet.dbf") + " (IDSOM, IDGOS, GRUPA, RAMASITA) VALUES (3, 1, \"Paza\", 40)");

    exec("CREATE TABLE " + t("Datorii.dbf") + " " +
         schema::findTable("Datorii.dbf")->createList().replace("CANT DECIMAL(15,4)", "CANT DECIMAL(9,4)"));
    for (const char* row : {"1, \"A\", \"Impozit pe cladiri\", 17, 0, 0",  // nothing assessed, nothing owed: goes
                            "2, \"A\", \"Impozit pe cladiri\", 0, 25, 0",  // assessed: stays
                            "3, \"A\", \"Paza\", 0, 0, 8",                 // arrears: stays
                            "4, \"M\", \"Paza\", 0, 0, 0",                 // entered by hand: stays
                            "5, \"A\", \"Taxa pe pasune\", 9, 9, 0"}) {    // the pasture page's debts go
      exec("INSERT INTO " + t("Datorii.dbf") + " (IDDAT, TIP, GRUPA, SUMA, SUMA2, RESTINI) VALUES (" + row + ")");
    }
    exec("UPDATE " + t("Datorii.dbf") + " SET CANT=9999.9999, UM=\"mp\" WHERE IDDAT=2");
  }

  std::unique_ptr<engine::Database> db_;
};

TEST_F(UpgradeTest, OldLayoutsReachTheCurrentOneKeepingTheirValues) {
  buildOldLayouts();
  db_.reset();
  StartupResult result = start(kDay);
  ASSERT_TRUE(result.database);
  db_ = std::move(result.database);
  EXPECT_EQ(result.repairs.size(), 9) << result.repairs.join(", ").toStdString();
  for (const auto& m : ui_.messages) ADD_FAILURE() << (m.title + ": " + m.text).toStdString();
  EXPECT_FALSE(result.databaseEmpty);

  // Every upgraded table holds the current fields (added ones at the end).
  for (const char* file :
       {"Pag1.dbf", "Pag2.dbf", "Gospodar.dbf", "CODCL.dbf", "Pag6.dbf", "SomDet.dbf", "Ini.dbf", "Datorii.dbf"}) {
    engine::Database scratch(dir_.filePath("scratch").toStdString());
    QDir().mkpath(dir_.filePath("scratch"));
    const QString fresh = dir_.filePath("scratch/") + file;
    sql::execute(scratch, "CREATE TABLE \"" + fresh + "\" " + schema::findTable(file)->createList());
    QStringList expected = layout(scratch, fresh);
    for (QString& f : expected) f = f.toUpper();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedLayout(file), expected) << file;
  }

  const QString pag2Fields = "IDGOS, C1S, NR1, V1, AM1, CAS, DINV1, DINV2, DINV3, DINV4, DINVA1, DINVA2, DINV5, DINV12, "
                             "V5, AM12, C5S, C8A, C5C, C5Z, NR5, NR8";
  EXPECT_EQ(rows(*db_, "SELECT " + pag2Fields + " FROM " + t("Pag2.dbf") + " ORDER BY IDGOS"),
            QStringList({"1|120.5|2|30000|DA|14.25|01.01.2013|01.01.2008|01.01.2013||01.01.2008|01.01.2013|"
                         "01.01.2014|01.01.2014|0|NU|0|0|0||1|1",
                         "2|||500|||||||||01.01.2014|01.01.2014|0|NU|0|0|0||1|1"}));

  EXPECT_EQ(rows(*db_, "SELECT FORMA, NUME, VALOARE FROM " + t("Ini.dbf") + " ORDER BY FORMA, NUME"),
            QStringList({"FORM4|EC10ZE|0", "FORM4|EC11ZE|0", "FORM4|EC1ZE|0", "FORM4|EC2ZE|0", "FORM4|EC3ZE|7",
                         "FORM4|EC4ZE|0", "FORM4|EC5ZE|0", "FORM4|EC6ZE|0", "FORM4|EC7ZE|0", "FORM4|EC8ZE|0",
                         "FORM4|EC9ZE|0", "FORM4|PrimariaLab|Primaria Vale", "FORM4|VN1|0", "FORM4|VN10|0",
                         "FORM4|VN11|0", "FORM4|VN2|0", "FORM4|VN3|0", "FORM4|VN4|0", "FORM4|VN5|0", "FORM4|VN6|0",
                         "FORM4|VN7|0", "FORM4|VN8|0", "FORM4|VN9|0", "FR12|PAS2|5"}));

  EXPECT_EQ(rows(*db_, "SELECT IDGOS, L1A, L1E, L11D, L11E FROM " + t("Pag1.dbf")), QStringList({"1|0.25|0|1.5|0"}));
  EXPECT_EQ(rows(*db_, "SELECT NUMEP, ADRESA FROM " + t("Gospodar.dbf")), QStringList({"Popescu Ion|Str. Morii nr. 4"}));
  for (const char* file : {"Gospodar.dbf", "Chitante.dbf", "ChitAnul.dbf", "Confirm.dbf"}) {
    EXPECT_EQ(db_->fieldDesc(dataFile(file).toStdString(), "ADRESA")->length, 80) << file;
    EXPECT_EQ(rows(*db_, "SELECT ADRESA FROM " + t(file)), QStringList({"Str. Morii nr. 4"})) << file;
  }
  EXPECT_EQ(db_->fieldDesc(dataFile("Gospodar.dbf").toStdString(), "OBS")->length, 240);

  EXPECT_EQ(rows(*db_, "SELECT IDCOD, GRUPA, CODCLF FROM " + t("CODCL.dbf") + " ORDER BY IDCOD"),
            QStringList({"4|Impozit pe teren extravilan|07.02.02", "5|Salubritate|33.02.28", "15|Apa potabila|"}));
  EXPECT_TRUE(rows(*db_, "SELECT * FROM " + t("Pag6.dbf")).isEmpty());
  EXPECT_EQ(rows(*db_, "SELECT IDSOM, GRUPA, RAMASITA, DOCJUS FROM " + t("SomDet.dbf")), QStringList({"3|Paza|40|"}));
  EXPECT_EQ(rows(*db_, "SELECT IDDAT FROM " + t("Datorii.dbf") + " ORDER BY IDDAT"), QStringList({"2", "3", "4"}));
  // The widened quantity keeps its value and holds the sum of twelve building values.
  EXPECT_EQ(rows(*db_, "SELECT CANT, UM FROM " + t("Datorii.dbf") + " WHERE IDDAT=2"), QStringList({"9999.9999|mp"}));
  exec("UPDATE " + t("Datorii.dbf") + " SET CANT=12*99999999 WHERE IDDAT=3");
  EXPECT_EQ(rows(*db_, "SELECT CANT FROM " + t("Datorii.dbf") + " WHERE IDDAT=3"), QStringList({"1199999988"}));

  // A second start finds nothing left to repair and changes nothing.
  const QStringList iniBefore = rows(*db_, "SELECT * FROM " + t("Ini.dbf"));
  const QStringList pag2Before = rows(*db_, "SELECT * FROM " + t("Pag2.dbf"));
  db_.reset();
  StartupResult second = start(kDay);
  EXPECT_TRUE(second.repairs.isEmpty()) << second.repairs.join(", ").toStdString();
  EXPECT_EQ(rows(*second.database, "SELECT * FROM " + t("Ini.dbf")), iniBefore);
  EXPECT_EQ(rows(*second.database, "SELECT * FROM " + t("Pag2.dbf")), pag2Before);
}

// A start interrupted after the buildings page gained its first new fields:
// the next start finishes the repair and keeps what was typed meanwhile.
TEST_F(UpgradeTest, InterruptedRepairIsFinishedByTheNextStart) {
  buildOldLayouts();
  exec("ALTER TABLE " + t("Pag2.dbf") + " ADD DINV1 DATE, ADD V5 DECIMAL(8,0)");
  exec("UPDATE " + t("Pag2.dbf") + " SET V5=7 WHERE IDGOS=2");
  db_.reset();

  StartupResult result = start(kDay);
  ASSERT_TRUE(result.database);
  EXPECT_TRUE(result.repairs.contains("Pag2: date de evaluare")) << result.repairs.join(", ").toStdString();
  EXPECT_EQ(rows(*result.database, "SELECT IDGOS, DINV1, V5, DINV5 FROM " + t("Pag2.dbf") + " ORDER BY IDGOS"),
            QStringList({"1|01.01.2013|0|01.01.2014", "2||7|01.01.2014"}));
  EXPECT_FALSE(result.database->fieldDesc(dataFile("Pag2.dbf").toStdString(), "INV1").has_value());
}

// A repair that fails half-way leaves its tables as they were, and the
// other repairs still run.
TEST_F(UpgradeTest, FailedRepairLeavesItsTablesWhole) {
  buildOldLayouts();
  db_.reset();
  QFile ini(dataFile("Ini.dbf"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(QByteArray(300, '\x05'));  // the pasture repair cannot clean its settings
  ini.close();

  StartupResult result = start(kDay);
  ASSERT_TRUE(result.database);
  db_ = std::move(result.database);
  EXPECT_FALSE(result.repairs.contains("Pag6: pasune"));
  EXPECT_TRUE(result.repairs.contains("Pag2: date de evaluare"));
  EXPECT_TRUE(result.repairs.contains("CODCL: Salubritate"));
  ASSERT_FALSE(ui_.messages.isEmpty());
  EXPECT_TRUE(ui_.messages.last().text.contains("Pag6: pasune")) << ui_.messages.last().text.toStdString();
  EXPECT_EQ(rows(*db_, "SELECT IDGOS, PAS1 FROM " + t("Pag6.dbf")), QStringList({"1|3"}));
  EXPECT_EQ(rows(*db_, "SELECT IDDAT FROM " + t("Datorii.dbf") + " WHERE GRUPA=\"Taxa pe pasune\""), QStringList({"5"}));
}

}  // namespace
}  // namespace dajdor::testing
