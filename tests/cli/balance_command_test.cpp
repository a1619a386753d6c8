// dajdor-cli balance run as a program: the three work tables at a date in the
// fixed format, for any user level, writing nothing to the data directory.
#include "cli/cli_run.h"
#include "admin/settings_store.h"
#include "store/schema.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "users/users_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dajdor::testing {
namespace {

class BalanceCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir().mkpath(data()));
    engine::Database db(data().toStdString());
    for (const QString file : {"Gospodar.dbf", "SoldCalc.dbf", "Datorii.dbf", "Debit.dbf", "Chitante.dbf"})
      sql::execute(db, "CREATE TABLE " + sql::table(data(), file) + " " + schema::findTable(file)->createList());
    const auto insert = [&](const QString& file, const QString& fields, const QStringList& values) {
      sql::execute(db, "INSERT INTO " + sql::table(data(), file) + " (" + fields + ") VALUES (" + values.join(", ") +
                           ")");
    };
    for (const auto& [id, notax] : {std::pair{1, "NU"}, std::pair{2, "DA"}})
      insert("Gospodar.dbf", "IDGOS, SATUL, ROL, NUMEP, TIP, NOTAX",
             {sql::number(id), sql::quote("DEALU"), sql::quote("1"), sql::quote("ION"), sql::quote("FIZICA"),
              sql::quote(notax)});
    for (const int id : {1, 2})
      insert("SoldCalc.dbf", "IDRES, IDGOS, GRUPA, SUMA, REST, TIP",
             {sql::number(6 + id), sql::number(id), sql::quote("Impozit pe cladiri"), sql::number(100),
              sql::number(100), sql::quote("A")});
    insert("Datorii.dbf", "IDDAT, IDGOS, DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, TIP, SUMA2, RESTINI",
           {sql::number(8), sql::number(1), sql::date(QDate(2014, 2, 1)), sql::quote("Taxa salubrizare"),
            sql::quote("Taxa salubrizare"), sql::quote("Decizie"), sql::number(4), sql::number(50), sql::number(20),
            sql::number(5), sql::quote("M"), sql::number(50), sql::number(20)});
    insert("Debit.dbf", "IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, SUMAINI, SUMAC",
           {sql::number(9), sql::number(1), sql::quote("Impozit pe cladiri"), sql::quote("Contract"), sql::number(0),
            sql::quote("Cumparare"), sql::quote("Autoturism"), sql::date(QDate(2014, 3, 31)),
            sql::date(QDate(2014, 3, 31)), sql::number(500), sql::number(500)});
    UsersFile users = UsersFile::inDirectory(data());
    users.createWithFirstAdministrator();
    users.append({"CASIER", "22", UserLevel::Cashier, ""});
  }

  QString data() const { return dir_.filePath("Data"); }

  CliRun balance(const QStringList& rest, const QString& user = "CASIER", const QString& password = "22") {
    return cli(QStringList{data(), "balance", "--user", user, "--password", password} + rest);
  }
  QStringList snapshot() const {
    QStringList files;
    for (const QFileInfo& f : QDir(data()).entryInfoList(QDir::Files | QDir::Hidden))
      files.append(QStringLiteral("%1 %2 %3").arg(f.fileName()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch()));
    return files;
  }

  QTemporaryDir dir_;
};

TEST_F(BalanceCommandTest, PrintsTheThreeWorkTablesAndTheTotalWritingNothing) {
  // A first reader creates the directory's lock file; after that nothing changes.
  ASSERT_EQ(balance({"1", "15.10.2014"}).code, 0);
  const QStringList before = snapshot();
  const CliRun run = balance({"1", "15.10.2014"});
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.toStdString(),
            "Impozite\n"
            "IDRES\tGRUPA\tSUMA\tREST\tREDUC\tSCUTIRE\tDATOR\tDEPOZ\tMAJOR\tTIP\tCUR1\tRAM1\tMAJOR1\tRED1\tSCUT1\t"
            "DEPLATA\tACHITAT\n"
            "7\tImpozit pe cladiri\t100\t100\t0\t0\t0\t0\t0\tA\t100\t0\t8\t0\t0\t108\t0\n"
            "\n"
            "Taxe\n"
            "IDDAT\tGRUPA\tDENUM\tDOCJUS\tNR\tTIP\tSUMA\tDINDATA\tSUMA2\tRESTINI\tREST\tREDUC\tCUR1\tREST1\tDEPLATA\t"
            "ACHITAT\n"
            "8\tTaxa salubrizare\tTaxa salubrizare\tDecizie\t4\tM\t50\t01.02.2014\t50\t20\t20\t5\t50\t20\t65\t0\n"
            "\n"
            "Debite\n"
            "IDDEB\tGRUPA\tDOCJUS\tNR\tCATEG\tDENUM\tDINDATA\tPENDATA\tSUMAINI\tSUMAC\tMAJOR\tDEPLATA\tACHITAT\n"
            "9\tImpozit pe cladiri\tContract\t0\tCumparare\tAutoturism\t31.03.2014\t31.03.2014\t500\t500\t70\t570\t0\n"
            "\n"
            "Total datorie\t743\n");
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(QDir(dir_.path()).entryList({"Impozite*", "Taxe*", "Debite*"}).isEmpty());
}

TEST_F(BalanceCommandTest, TheNoPenaltiesMarkCountsOnlyInTheModeWithoutPenalties) {
  const auto buildingLine = [&] { return balance({"2", "15.10.2014"}).out.split('\n').value(2); };
  EXPECT_TRUE(buildingLine().endsWith("\t108\t0")) << buildingLine().toStdString();
  SettingsFile(data() + "/" + SettingsFile::kFileName).WriteSetting(admin::kServerSection, "FARAMAJORARI", "DA");
  EXPECT_TRUE(buildingLine().endsWith("\t100\t0")) << buildingLine().toStdString();
}

TEST_F(BalanceCommandTest, RefusalsExplainAndWriteNothing) {
  ASSERT_EQ(balance({"1", "15.10.2014"}).code, 0);
  const QStringList before = snapshot();
  struct Case {
    QStringList arguments;
    QString user, password;
    int code;
    const char* message;
  } const cases[] = {
      {{"1", "31.02.2014"}, "CASIER", "22", 2, "Data calcularii"},
      {{"1"}, "CASIER", "22", 2, "Dati IDGOS"},
      {{"x1", "15.10.2014"}, "CASIER", "22", 2, "IDGOS neinteles"},
      {{"1", "15.10.2014"}, "CASIER", "21", 1, "parola gresita"},
      {{"99", "15.10.2014"}, "ADMIN", "482", 1, "Nu exista contribuabilul cu IDGOS 99"},
  };
  for (const Case& c : cases) {
    const CliRun run = balance(c.arguments, c.user, c.password);
    EXPECT_EQ(run.code, c.code) << c.message;
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << c.message;
  }
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace dajdor::testing
