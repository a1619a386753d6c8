// dajdor-cli pay, receipt and cancel run as a program: what is stored and
// printed, the refusals that store nothing, and the receipt as PDF.
#include "cli/cli_run.h"
#include "admin/settings_catalogue.h"
#include "store/create_tables.h"
#include "store/qt_printers.h"
#include "store/scripted_interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "support/external_tool.h"
#include "support/statement_rows.h"
#include "users/users_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dajdor::testing {
namespace {

class PaymentCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir().mkpath(data()));
    {
      engine::Database db(data().toStdString());
      SettingsFile settings(data() + "/Dajdor.set");
      ScriptedInteraction ui;
      CreateTables(db, data(), admin::initialIniRows(), settings, ui);
      sql::execute(db, "INSERT INTO " + sql::table(data(), "Gospodar.dbf") +
                           " (IDGOS, SATUL, ROL, NUMEP, CNP, ADRESA, TIP, NOTAX) VALUES (1, " + sql::quote("DEALU") +
                           ", " + sql::quote("7") + ", " + sql::quote("POPESCU ION") + ", " +
                           sql::quote("1800101221144") + ", " + sql::quote("Str. Morii 4") + ", " +
                           sql::quote("FIZICA") + ", " + sql::quote("NU") + ")");
      for (const auto& [id, group, amount, deposit] :
           QList<std::tuple<int, QString, int, int>>{{11, "Impozit pe cladiri", 100, 0},
                                                      {12, "Impozit pe teren intravilan", 0, 50}})
        sql::execute(db, "INSERT INTO " + sql::table(data(), "SoldCalc.dbf") +
                             " (IDRES, IDGOS, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, TIP) VALUES (" +
                             sql::number(id) + ", 1, " + sql::quote(group) + ", " + sql::number(amount) + ", " +
                             sql::number(amount) + ", 0, 0, 0, " + sql::number(deposit) + ", 0, " + sql::quote("A") +
                             ")");
      sql::execute(db, "UPDATE " + sql::table(data(), "CODCL.dbf") + " SET CODCLF=" + sql::quote("07020101") +
                           ", CODCLJ=" + sql::quote("07020102"));
      settings.WriteSetting("CASIER", "SERIA", "AB");
      settings.WriteSetting("CASIER", "CHIT", "5");
      settings.WriteSetting("ALT", "SERIA", "CD");
    }
    UsersFile users = UsersFile::inDirectory(data());
    users.createWithFirstAdministrator();
    users.append({"CASIER", "22", UserLevel::Cashier, "LEG 9"});
    users.append({"ALT", "33", UserLevel::Cashier, ""});
  }
  QString data() const { return dir_.filePath("Data"); }
  // The program's own message: the last line on stderr (Qt may say something before it).
  static QString message(const CliRun& run) { return run.err.trimmed().split('\n').last(); }
  CliRun as(const QString& user, const QString& password, const QString& command, const QStringList& rest) {
    return cli(QStringList{data(), command, "--user", user, "--password", password} + rest);
  }
  QStringList rows(const QString& select) {
    engine::Database db(data().toStdString());
    return statementRows(db, select);
  }
  QString table(const QString& file) const { return sql::table(data(), file); }

  QTemporaryDir dir_;
};

TEST_F(PaymentCommandsTest, PayStoresTheDocumentAndPrintsItsLines) {
  const CliRun run = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=102", "--payer", "popescu ana"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], "IDCHIT\tIDGOS\tIDANUL\tSERIA\tNR\tDATAI\tSATUL\tROL\tGRUPA\tDENUM\tCODCLAS\tNUMEP\tCNP\tADRESA\t"
                      "TIPF\tPLATNUME\tINCANUME\tLEGITIMA\tRESTANTA\tMAJOREST\tDEPOZIT\tCURENT\tMAJOR\tREDUCERE\tTOTAL\tTIP");
  EXPECT_TRUE(lines[1].startsWith("1\t1\t1\tAB\t5\t02.05.2014\tDEALU\t7\tImpozit pe cladiri\t")) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].endsWith("\tPOPESCU ANA\tCASIER\tLEG 9\t0\t0\t0\t100\t2\t0\t102\tC")) << lines[1].toStdString();
  EXPECT_EQ(rows("SELECT UTILIZATOR, ROL, ACTIUNE FROM " + table("Log.dbf")), QStringList{"CASIER|7|Operat C nr.5"});
  EXPECT_EQ(SettingsFile(data() + "/Dajdor.set").ReadCounter("CASIER", "CHIT"), "6");
}

TEST_F(PaymentCommandsTest, ARefusalPrintsTheMessageAndStoresNothing) {
  const CliRun unbalanced = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=100", "Impozite:12=-40"});
  EXPECT_EQ(unbalanced.code, 1);
  EXPECT_EQ(message(unbalanced), "Nota contabila nu se inchide cu 0!");
  const CliRun nothing = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=0"});
  EXPECT_EQ(message(nothing), "Nu aveti nimic operat!");
  const CliRun noNumber = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=50", "Impozite:12=-50"});
  EXPECT_EQ(message(noNumber), "Numar incorect!");
  EXPECT_EQ(as("CASIER", "nu", "pay", {"1", "02.05.2014", "Impozite:11=10"}).code, 1);
  EXPECT_EQ(as("CASIER", "22", "pay", {"1", "02.05.2014", "Cladiri:11=10"}).code, 2);
  EXPECT_TRUE(rows("SELECT * FROM " + table("Chitante.dbf")).isEmpty());
  EXPECT_EQ(SettingsFile(data() + "/Dajdor.set").ReadCounter("CASIER", "CHIT"), "5");
}

TEST_F(PaymentCommandsTest, AnAccountingNoteAndItsReceiptThatPrintsNothing) {
  const CliRun note = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=50", "Impozite:12=-50", "--number", "31"});
  ASSERT_EQ(note.code, 0) << note.err.toStdString();
  EXPECT_EQ(rows("SELECT SERIA, NR, TOTAL, TIP FROM " + table("Chitante.dbf")),
            (QStringList{" -|31|50|N", " -|31|-50|N"}));
  const CliRun pdf = as("CASIER", "22", "receipt", {"1", "--pdf", dir_.filePath("n.pdf")});
  EXPECT_EQ(pdf.code, 1);
  EXPECT_EQ(message(pdf), "Listare chitanta: Chitanta nu contine nimic!");
  EXPECT_FALSE(QFile::exists(dir_.filePath("n.pdf")));
}

TEST_F(PaymentCommandsTest, CancelAndTheCancelledReprint) {
  if (!witness::haveTool("pdftotext")) GTEST_SKIP() << "poppler-utils missing";
  const QString pdf = dir_.filePath("r.pdf");
  ASSERT_EQ(as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=102", "--pdf", pdf}).code, 0);
  const QString text = QString::fromStdString(witness::output("pdftotext " + witness::shellQuote(pdf.toStdString()) + " -"));
  // Each field in both copies; the name as taxpayer and payer, the amount on its line and in the total.
  for (const auto& [field, times] : QList<QPair<QString, int>>{{"Seria AB nr. 5", 2}, {"POPESCU ION", 4},
                                                              {"Str. Morii 4", 2}, {"1800101221144", 2},
                                                              {"02.05.2014", 2}, {"CASIER", 2}, {"LEG 9", 2},
                                                              {"07020101", 2}, {"102.00", 4}})
    EXPECT_EQ(text.count(field), times) << field.toStdString();

  const CliRun other = as("ALT", "33", "cancel", {"1"});
  EXPECT_EQ(other.code, 1);
  EXPECT_EQ(message(other), "Anulare Chitanta: Nu puteti anula chitanta altuia!");
  const CliRun own = as("CASIER", "22", "cancel", {"1"});
  ASSERT_EQ(own.code, 0) << own.err.toStdString();
  EXPECT_TRUE(own.out.contains("\tANULAT\tCASIER\t"));
  EXPECT_EQ(rows("SELECT REST FROM " + table("SoldCalc.dbf") + " WHERE IDRES=11"), QStringList{"100"});
  EXPECT_EQ(rows("SELECT ACTIUNE FROM " + table("Log.dbf")).last(), "Anulat Chitanta AB nr.5 / 02.05.2014 - POPESCU ION");

  ASSERT_EQ(as("CASIER", "22", "receipt", {"1", "--pdf", pdf}).code, 0);
  const QString cancelled = QString::fromStdString(witness::output("pdftotext " + witness::shellQuote(pdf.toStdString()) + " -"));
  EXPECT_EQ(cancelled.count("ANULAT"), 2);
  EXPECT_FALSE(cancelled.contains("102.00"));
}

TEST_F(PaymentCommandsTest, AReceiptThatCannotBeWrittenLeavesTheDocumentStored) {
  const CliRun run = as("CASIER", "22", "pay", {"1", "02.05.2014", "Impozite:11=102", "--pdf", "/nu/exista/r.pdf"});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.err.contains("Fisierul /nu/exista/r.pdf nu poate fi scris!")) << run.err.toStdString();
  EXPECT_EQ(message(run), "Documentul a fost memorat (IDCHIT 1); chitanta se poate lista din nou cu comanda receipt.");
  EXPECT_EQ(rows("SELECT NR, TOTAL FROM " + table("Chitante.dbf")), QStringList{"5|102"});
  EXPECT_EQ(rows("SELECT REST FROM " + table("SoldCalc.dbf") + " WHERE IDRES=11"), QStringList{"0"});
  EXPECT_EQ(as("CASIER", "22", "receipt", {"1", "--pdf", dir_.filePath("again.pdf")}).code, 0);
  EXPECT_TRUE(QFile::exists(dir_.filePath("again.pdf")));
}

}  // namespace
}  // namespace dajdor::testing
