// dajdor-cli cash-register and payments-list run as a program: the workbooks
// they write, their balances, the cashier restriction and their refusals.
#include "cli/cli_run.h"
#include "sheet/workbook.h"
#include "store/qt_printers.h"
#include "store/schema.h"
#include "store/sql_helpers.h"
#include "users/users_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dajdor::testing {
namespace {

class CashCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir().mkpath(data()));
    engine::Database db(data().toStdString());
    for (const QString file : {"Gospodar.dbf", "Chitante.dbf", "RegCasa.dbf"})
      sql::execute(db, "CREATE TABLE " + sql::table(data(), file) + " " + schema::findTable(file)->createList());
    int id = 0;
    const auto document = [&](const QDate& day, const QString& cashier, int total, const QString& tip) {
      ++id;
      sql::execute(db, "INSERT INTO " + sql::table(data(), "Chitante.dbf") + " (IDCHIT, DATAI, INCANUME, TOTAL, TIP) VALUES (" +
                           sql::number(id) + ", " + sql::date(day) + ", " + sql::quote(cashier) + ", " +
                           sql::number(total) + ", " + sql::quote(tip) + ")");
    };
    const auto movement = [&](const QDate& day, const QString& text, int paid, int received, const QString& cashier) {
      ++id;
      sql::execute(db, "INSERT INTO " + sql::table(data(), "RegCasa.dbf") +
                           " (IDRC, DATAI, DOCJUS, PLATIT, INCASAT, INCANUME) VALUES (" + sql::number(id) + ", " +
                           sql::date(day) + ", " + sql::quote(text) + ", " + sql::number(paid) + ", " +
                           sql::number(received) + ", " + sql::quote(cashier) + ")");
    };
    document(kDay.addDays(-1), "CASIER", 1000, "C");
    document(kDay, "CASIER", 500, "C");
    document(kDay, "CASIER", -120, "O");
    document(kDay, "ALT CASIER", 70, "C");
    document(kDay, "ALT CASIER", 400, "V");
    movement(kDay, "Depunere la banca", 600, 0, "CASIER");
    movement(kDay, "Dispozitie de plata 3", 25, 0, "ALT CASIER");
    UsersFile users = UsersFile::inDirectory(data());
    users.createWithFirstAdministrator();
    users.append({"CASIER", "22", UserLevel::Cashier, ""});
  }

  QString data() const { return dir_.filePath("Data"); }
  QString out(const QString& name) const { return dir_.filePath(name); }

  CliRun run(const QString& command, const QStringList& rest, const QString& user = "ADMIN",
             const QString& password = UsersFile::kFirstAdminPassword) {
    return cli(QStringList{data(), command, "--user", user, "--password", password} + rest);
  }
  // Column `column` of the rows from 9 (the register) or 8 (the list) down to the totals.
  static QStringList column(const QString& file, int first, int column) {
    sheet::Workbook book(file.toStdString());
    sheet::Worksheet& s = book.sheet(0);
    QStringList cells;
    for (int row = first; s.text(row, 3) != "TOTAL" && row < first + 50; ++row)
      cells.append(QString::fromStdString(s.text(row, column)));
    return cells;
  }

  static inline const QDate kDay{2026, 4, 7};
  QTemporaryDir dir_;
};

TEST_F(CashCommandsTest, TheDaysRegisterIsWrittenWithItsBalances) {
  const CliRun all = run("cash-register", {"07.04.2026", "--out", out("all.xlsx")});
  ASSERT_EQ(all.code, 0) << all.err.toStdString();
  EXPECT_EQ(all.out, "Registru de casa 07.04.2026\nSold precedent\t1000\nOperatiuni\t4\nTotal incasat\t450\n"
                     "Total platit\t625\nDe reportat\t825\nFisier\t" + out("all.xlsx") + "\n");
  EXPECT_EQ(column(out("all.xlsx"), 9, 2),
            QStringList({"Centralizator zilnic", "Dispozitie de plata 3", "Centralizator zilnic", "Depunere la banca"}));

  const CliRun one = run("cash-register", {"07.04.2026", "--cashier", "CASIER", "--out", out("one.xlsx")}, "CASIER", "22");
  ASSERT_EQ(one.code, 0) << one.err.toStdString();
  EXPECT_TRUE(one.out.contains("Sold precedent\t1000\nOperatiuni\t2\nTotal incasat\t380\nTotal platit\t600\nDe reportat\t780\n"))
      << one.out.toStdString();
  EXPECT_EQ(column(out("one.xlsx"), 9, 3), QStringList({"CASIER", "CASIER"}));
  EXPECT_EQ(sheet::Workbook(out("one.xlsx").toStdString()).sheet(0).text(15, 2), "CASIER");  // under "Casier,", below the two rows
}

TEST_F(CashCommandsTest, ThePaymentsListOfACashierHoldsOnlyTheirPayments) {
  const CliRun admin = run("payments-list", {"01.04.2026", "30.04.2026", "--out", out("admin.xlsx")});
  ASSERT_EQ(admin.code, 0) << admin.err.toStdString();
  EXPECT_EQ(column(out("admin.xlsx"), 8, 3), QStringList({"Depunere la banca", "Dispozitie de plata 3"}));
  const CliRun cashier = run("payments-list", {"01.04.2026", "30.04.2026", "--out", out("own.xlsx")}, "CASIER", "22");
  ASSERT_EQ(cashier.code, 0) << cashier.err.toStdString();
  EXPECT_EQ(column(out("own.xlsx"), 8, 3), QStringList({"Depunere la banca"}));
}

TEST_F(CashCommandsTest, RefusalsWriteNoWorkbook) {
  struct Case {
    QString command;
    QStringList rest;
    QString user, password;
    int code;
    QString err;
  };
  const QString file = out("refused.xlsx");
  const QList<Case> cases = {
      {"cash-register", {"7.4.26", "--out", file}, "ADMIN", "482", 2, "Ziua nu este de forma ZZ.LL.AAAA"},
      {"cash-register", {"07.04.2026"}, "ADMIN", "482", 2, "--out"},
      {"cash-register", {"07.04.2026", "--out", file}, "CASIER", "nu", 1, "Utilizator sau parola gresita."},
      {"payments-list", {"30.04.2026", "01.04.2026", "--out", file}, "ADMIN", "482", 2, "Perioada incorecta!"},
      {"payments-list", {"01.04.2026", "--out", file}, "ADMIN", "482", 2, "Dati perioada"},
      {"payments-list", {"01.04.2026", "30.04.2026", "--out", file, "--fast"}, "ADMIN", "482", 2, "--fast"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.command + " " + c.rest.join(' ')).toStdString());
    const CliRun r = run(c.command, c.rest, c.user, c.password);
    EXPECT_EQ(r.code, c.code);
    EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(file));
  }
}

TEST_F(CashCommandsTest, TheDirectorysTemplateIsUsedTheProgramsOneWhenItIsMissingADamagedOneIsReported) {
  // No template in the directory: the program's own.
  ASSERT_EQ(run("cash-register", {"07.04.2026", "--out", out("own.xlsx")}).code, 0);
  EXPECT_EQ(sheet::Workbook(out("own.xlsx").toStdString()).sheet(0).text(3, 3), "REGISTRU DE CASA");
  EXPECT_TRUE(QDir(data()).entryList({"*.xlsx"}).isEmpty());  // nothing written to the directory

  const QString model = QDir(data()).filePath("RegCasa.xlsx");
  QFile damaged(model);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("edited badly");
  damaged.close();
  const CliRun r = run("cash-register", {"07.04.2026", "--out", out("damaged.xlsx")});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.err.contains(model)) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(out("damaged.xlsx")));
}

}  // namespace
}  // namespace dajdor::testing
