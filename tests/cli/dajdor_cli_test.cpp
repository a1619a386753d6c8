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
  const QStringList before = snapshot(data());
  struct Case {
    QStringList arguments;
    int code;
    const char* err;
  };
  const Case cases[] = {
      {{data(), "transfer", "--user", "ADMIN", "--password", "483", "--all"}, 1, "Utilizator sau parola gresita.\n"},
      {{data(), "transfer", "--user", "CASIER", "--password", "22", "--all"}, 1,
       "Utilizatorul CASIER nu are dreptul sa adauge la plata.\n"},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482"}, 2, "Dati fie --all, fie IDGOS-urile"},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482", "--all", "3"}, 2, "Dati fie --all"},
      {{data(), "transfer", "--user", "ADMIN", "--all"}, 2, "Lipsesc --user sau --password."},
      {{data(), "transfer", "--user", "ADMIN", "--password", "482", "x1"}, 2, "Argument neinteles: x1"},
      {{data(), "plateste"}, 2, "Comanda necunoscuta: plateste"},
  };
  for (const Case& k : cases) {
    const CliRun run = cli(k.arguments);
    EXPECT_EQ(run.code, k.code) << k.arguments.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(k.err)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
  EXPECT_EQ(snapshot(data()), before);

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

TEST_F(DajdorCliTest, HelpWithoutArguments) {
  const CliRun run = cli({});
  EXPECT_EQ(run.code, 0);
  EXPECT_TRUE(run.out.startsWith("dajdor-cli DIR transfer --user NAME --password PW (--all | IDGOS...)"));
}

}  // namespace
}  // namespace dajdor::testing
