// dajdor-cli run as a program: the transfer of a commune or of some taxpayers,
// and every refusal leaving the directory as it was.
#include "cli/cli_run.h"
#include "admin/rates.h"
#include "admin/settings_catalogue.h"
#include "register/taxpayer_register.h"
#include "store/create_tables.h"
#include "store/scripted_interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "users/users_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dajdor::testing {
namespace {

class DajdorCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
    ASSERT_TRUE(QDir().mkpath(data()));
    {
      engine::Database db(data().toStdString());
      SettingsFile settings(data() + "/" + SettingsFile::kFileName);
      ScriptedInteraction ui;
      CreateTables(db, data(), admin::initialIniRows(), settings, ui);
      admin::Rates rates;
      const auto add = [&](const QString& village, const QString& role, const QString& name) {
        reg::Taxpayer t;
        t.village = village;
        t.role = role;
        t.name = name;
        const std::int64_t id = reg::AddTaxpayer(db, data(), settings, t, rates);
        sql::execute(db, "UPDATE " + sql::table(data(), "Pag1.dbf") + " SET L1A=2 WHERE IDGOS=" + sql::number(id));
        return id;
      };
      for (const char* role : {"1", "2", "3"}) ids_.append(add("VALENI", role, QStringLiteral("VALENI ") + role));
      ids_.append(add("DEALU", "4", "DEALU 4"));
      ids_.append(add("DEALU", "", "FARA ROL"));
    }
    UsersFile users = UsersFile::inDirectory(data());
    users.createWithFirstAdministrator();
    users.append({"OPERATOR", "11", UserLevel::Operator, ""});
    users.append({"CASIER", "22", UserLevel::Cashier, ""});
  }

  QString data() const { return dir_.filePath("Data"); }

  CliRun transfer(const QString& user, const QString& password, const QStringList& which) {
    return cli(QStringList{data(), "transfer", "--user", user, "--password", password} + which);
  }
  // Every file of a folder with its size and time of change.
  static QStringList snapshot(const QString& dir) {
    QStringList files;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden))
      files.append(QStringLiteral("%1 %2 %3").arg(f.fileName()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch()));
    return files;
  }
  QStringList column(const QString& select) {
    engine::Database db(data().toStdString());
    QStringList values;
    const auto rs = sql::query(db, select.arg(sql::table(data(), "Datorii.dbf")));
    for (std::size_t r = 0; r < rs->rowCount(); ++r) values.append(QString::fromStdString(rs->value(r, 0).toString()));
    return values;
  }

  struct Refusal {
    QStringList arguments;
    int code;
    const char* err;
  };
  // Each command refused with its exit code and message, nothing printed and nothing written.
  void expectRefused(const QList<Refusal>& cases) {
    const QStringList before = snapshot(data());
    for (const Refusal& k : cases) {
      const CliRun run = cli(k.arguments);
      EXPECT_EQ(run.code, k.code) << k.arguments.join(' ').toStdString();
      EXPECT_TRUE(run.err.startsWith(k.err)) << run.err.toStdString();
      EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(snapshot(data()), before);
  }

  QTemporaryDir dir_;
  QList<std::int64_t> ids_;
};

TEST_F(DajdorCliTest, TheWholeCommuneWithATaxpayerWithoutARole) {
  const CliRun run = transfer("OPERATOR", "11", {"--all"});
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Au fost adaugate la plata 4 ROL-uri si respinse 1 ROL-uri.\n");
  EXPECT_EQ(run.err, "FARA ROL nu are trecut ROL-ul si a fost respins.\n");
  EXPECT_EQ(column("SELECT ROL FROM %1 ORDER BY ROL"), QStringList({"1", "2", "3", "4"}));
  EXPECT_EQ(column("SELECT DISTINCT SUMA FROM %1"), QStringList({"80"})) << "2 ha of arable land at 40 lei";
  const QStringList before = snapshot(data());
  const CliRun again = transfer(" ADMIN ", "482", {"--all"});
  EXPECT_EQ(again.out, run.out);
  EXPECT_EQ(snapshot(data()).filter("Datorii"), before.filter("Datorii")) << "a rerun writes nothing";
}

TEST_F(DajdorCliTest, SomeTaxpayersByIdgos) {
  const CliRun run = transfer("ADMIN", "482", {QString::number(ids_[3]), "999", QString::number(ids_[0])});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "Au fost adaugate la plata 2 ROL-uri si respinse 1 ROL-uri.\n");
  EXPECT_EQ(run.err, "Nu exista contribuabilul cu IDGOS 999.\n");
  EXPECT_EQ(column("SELECT ROL FROM %1 ORDER BY ROL"), QStringList({"1", "4"}));
}

TEST_F(DajdorCliTest, RefusalsWriteNothing) {
  const QList<Refusal> cases = {
      {{data(), "transfer", "--user", "ADMIN", "--password", "483", "--all"}, 1, "Utilizator sau parola gresita.\n"},
      {{data(), "transfer", "--user", "CASIER", "--password", "22", "--all"}, 1,
       "Utilizatorul CASIER nu are dreptul sa adauge la plata.\n"},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482"}, 2, "Dati fie --all, fie IDGOS-urile"},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482", "--all", "3"}, 2, "Dati fie --all"},
      {{data(), "transfer", "--user", "ADMIN", "--all"}, 2, "Lipsesc --user sau --password."},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482", "x1"}, 2, "Argument neinteles: x1"},
      {{data(), "plateste"}, 2, "Comanda necunoscuta: plateste"},
  };
  expectRefused(cases);

  const QString empty = dir_.filePath("Empty");
  ASSERT_TRUE(QDir().mkpath(empty));
  const CliRun run = cli({empty, "transfer", "--user", "ADMIN", "--password", "482", "--all"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "Directorul " + empty +
                         " nu este un director de date Dajdor (nu contine Gospodar.dbf); nu a fost modificat nimic.\n");
  EXPECT_TRUE(QDir(empty).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
  EXPECT_EQ(cli({dir_.filePath("Missing"), "transfer", "--all"}).code, 2);
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath("Missing")));
}

TEST_F(DajdorCliTest, ATaxAndAQuantityForAVillage) {
  {
    engine::Database db(data().toStdString());
    sql::execute(db, "UPDATE " + sql::table(data(), "Pag2.dbf") + " SET C1S=50 WHERE IDGOS=" + sql::number(ids_[0]));
  }
  const QStringList login = {"--user", "OPERATOR", "--password", "11"};
  const CliRun tax = cli(QStringList{data(), "add-tax"} + login +
                         QStringList{"--village", "VALENI", "--tax", "Iluminat", "--value", "12", "--only-with-houses"});
  EXPECT_EQ(tax.code, 0) << tax.err.toStdString();
  EXPECT_EQ(tax.out, "Taxa Iluminat, in valoare de 12 lei a fost adaugata la toata localitatea VALENI.\n");
  EXPECT_EQ(column("SELECT IDGOS FROM %1 WHERE GRUPA=\"Iluminat\" AND SUMA=12"), QStringList{QString::number(ids_[0])});
  const CliRun all = cli(QStringList{data(), "add-tax"} + login +
                         QStringList{"--village", "VALENI", "--tax", "Paza", "--value", "5"});
  EXPECT_EQ(all.code, 0);
  EXPECT_EQ(column("SELECT ROL FROM %1 WHERE GRUPA=\"Paza\" ORDER BY ROL"), QStringList({"1", "2", "3"}));

  const CliRun quantity = cli(QStringList{data(), "fixed-quantity"} + login +
                              QStringList{"--village", "DEALU", "--tax", "Salubritate", "--quantity", "3"});
  EXPECT_EQ(quantity.code, 0) << quantity.err.toStdString();
  EXPECT_EQ(quantity.out, "Taxa a fost stabilita la toata localitatea.\n");
  engine::Database db(data().toStdString());
  const auto rs = sql::query(db, "SELECT IDGOS, LIN3 FROM " + sql::table(data(), "Pag7.dbf") + " WHERE LIN3<>0 ORDER BY IDGOS");
  ASSERT_EQ(rs->rowCount(), 2u);
  EXPECT_EQ(rs->value(0, 0).toInt(), ids_[3]);
  EXPECT_EQ(rs->value(1, 1).toInt(), 3);
}

TEST_F(DajdorCliTest, VillageOperationsRefuseWhatTheyCannotDo) {
  const QStringList admin = {"--user", "ADMIN", "--password", "482"};
  const QList<Refusal> cases = {
      {QStringList{data(), "add-tax", "--user", "CASIER", "--password", "22", "--village", "VALENI", "--tax", "Paza",
                   "--value", "5"},
       1, "Utilizatorul CASIER nu are dreptul sa adauge taxe.\n"},
      {QStringList{data(), "add-tax"} + admin + QStringList{"--village", "VALENI", "--tax", "Paza"}, 2,
       "Lipsesc --village, --tax sau --value."},
      {QStringList{data(), "add-tax"} + admin + QStringList{"--village", "VALENI", "--tax", "Paza", "--value", "1234567"},
       2, "--value trebuie sa fie un numar pozitiv de cel mult 6 cifre."},
      {QStringList{data(), "add-tax"} + admin + QStringList{"--village", "VALE", "--tax", "Paza", "--value", "5"}, 1,
       "Localitatea VALE nu este in lista localitatilor; nu a fost modificat nimic.\n"},
      {QStringList{data(), "add-tax"} + admin +
           QStringList{"--village", "VALENI", "--tax", "Impozit pe cladiri", "--value", "5"},
       1, "Taxa Impozit pe cladiri nu este o taxa (tip T)"},
      {QStringList{data(), "fixed-quantity"} + admin +
           QStringList{"--village", "VALENI", "--tax", "Taxa pe pasune", "--quantity", "2"},
       1, "Taxa Taxa pe pasune nu este una din: Concesionari, Iluminat"},
      {QStringList{data(), "fixed-quantity"} + admin +
           QStringList{"--village", "VALENI", "--tax", "Paza", "--quantity", "2", "--only-with-houses"},
       2, "Optiune necunoscuta sau fara valoare: --only-with-houses"},
  };
  expectRefused(cases);
}

TEST_F(DajdorCliTest, HelpWithoutArguments) {
  const CliRun run = cli({});
  EXPECT_EQ(run.code, 0);
  EXPECT_TRUE(run.out.startsWith("dajdor-cli DIR transfer --user NAME --password PW (--all | IDGOS...)"));
}

}  // namespace
}  // namespace dajdor::testing
