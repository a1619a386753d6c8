#include "store/startup.h"

#include "data_dir_fixture.h"
#include "store/day_number.h"
#include "store/create_tables.h"
#include "store/machine_settings.h"
#include "store/schema.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "store/qt_printers.h"

namespace dajdor::testing {
namespace {

const QDate kMonday(2014, 3, 3);

// What a table of the catalogue must look like on disk: DECIMAL(p,s) is a
// numeric field of width p with s decimals.
QStringList expectedLayout(const schema::Table& table) {
  QStringList out;
  for (const schema::Field& f : table.fields) {
    switch (f.type) {
      case schema::FieldType::Char:
        out.append(QString("%1 C %2.0").arg(f.name).arg(f.size));
        break;
      case schema::FieldType::Decimal:
        out.append(QString("%1 N %2.%3").arg(f.name).arg(f.size).arg(f.decimals));
        break;
      case schema::FieldType::Date:
        out.append(QString("%1 D 8.0").arg(f.name));
        break;
    }
  }
  return out;
}

QStringList upper(QStringList list) {
  for (QString& s : list) s = s.toUpper();
  return list;
}

QString messagesOf(const ScriptedInteraction& ui) {
  QStringList texts;
  for (const auto& m : ui.messages) texts.append(m.title + ": " + m.text);
  return texts.join("\n");
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

class StartupTest : public DataDirTest {
 protected:
  void exec(engine::Database& db, const QString& statement) { sql::execute(db, statement); }
  QString counter(const QString& key) {
    return SettingsFile(dataFile("Dajdor.set")).ReadCounter("SERVER", key);
  }
};

TEST_F(StartupTest, FirstStartOnAnEmptyFolderCreatesEverything) {
  StartupResult result = start(kMonday);
  EXPECT_TRUE(ui_.messages.isEmpty()) << messagesOf(ui_).toStdString();
  ASSERT_TRUE(result.database);
  engine::Database& db = *result.database;
  EXPECT_TRUE(result.isLocal);
  EXPECT_EQ(result.paths.dataDir, dataDir());
  EXPECT_TRUE(result.dailyMaintenance);
  EXPECT_TRUE(result.databaseEmpty);
  EXPECT_TRUE(result.villages.isEmpty());

  for (const schema::Table& table : schema::tables()) {
    if (!table.createdAtStartup) {
      EXPECT_FALSE(db.tableExists(dataFile(table.file).toStdString())) << table.file.toStdString();
      continue;
    }
    ASSERT_TRUE(db.tableExists(dataFile(table.file).toStdString())) << table.file.toStdString();
    EXPECT_EQ(upper(layout(db, dataFile(table.file))), upper(expectedLayout(table))) << table.file.toStdString();
  }

  EXPECT_EQ(rows(db, "SELECT IDCOD, GRUPA, CODCLF, CODCLJ, TIP FROM \"" + dataFile("CODCL.dbf") + "\" ORDER BY IDCOD"),
            QStringList({"1|Impozit pe cladiri|||I", "2|Impozit pe teren intravilan|||I",
                         "3|Impozit pe mijloace de transport|||I", "4|Impozit pe teren extravilan|||I",
                         "5|Salubritate|||T", "6|Concesionari|||T", "7|Iluminat|||T", "8|PSI|||T", "9|Paza|||T",
                         "10|Taxa pe pasune|||T", "11|Vehicule lente|||T", "12|Auto neinmatriculate|||T"}));
  EXPECT_EQ(rows(db, "SELECT FORMA, NUME, VALOARE FROM \"" + dataFile("Ini.dbf") + "\""),
            QStringList({"FORM4|PrimariaLab|Primaria Comunei Vale", "FORM4|EC11ZE|0", "FR12|TAX1|125"}));

  for (const PrimedCounter& c : primedCounters()) {
    EXPECT_EQ(counter(c.counter), c.counter == "IDCOD" ? "13" : "1") << c.counter.toStdString();
  }
  EXPECT_EQ(SettingsFile(dataFile("Dajdor.set")).ReadSetting("SERVER", "LASTPACK"),
            QString::number(dayNumber(kMonday)));
  EXPECT_EQ(MachineSettings().ReadRegistry("VER"), kVersionTitle);
  EXPECT_EQ(MachineSettings().ReadRegistry("CALE"), QDir::toNativeSeparators(appDir()));
  EXPECT_TRUE(result.repairs.isEmpty()) << result.repairs.join(", ").toStdString();
}

TEST_F(StartupTest, WorkTablesLeftByAnInterruptedRunGoAtTheNextStart) {
  for (const QString name : {"Impozite0.dbf", "Taxe3.dbf", "Debite0.dbf", "Gospo1.dbf", "Detalii.dbf", "Notes.txt"}) {
    QFile file(QDir(appDir()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  start(QDate(2014, 3, 3));
  EXPECT_EQ(QDir(appDir()).entryList({"*.dbf", "*.txt"}, QDir::Files), QStringList{"Notes.txt"});
}

TEST_F(StartupTest, DailyMaintenanceRunsOncePerDayAndPrimingEveryStart) {
  {
    StartupResult first = start(kMonday);
    engine::Database& db = *first.database;
    const QString gospodar = "\"" + dataFile("Gospodar.dbf") + "\"";
    exec(db, "INSERT INTO " + gospodar + " (IDGOS, SATUL, ROL) VALUES (7, \"Vale\", \"1\")");
    exec(db, "INSERT INTO " + gospodar + " (IDGOS, SATUL, ROL) VALUES (8, \"Deal\", \"2\")");
    exec(db, "DELETE FROM " + gospodar + " WHERE IDGOS=8");
    exec(db, "INSERT INTO \"" + dataFile("DefZone.dbf") + "\" (ID, LOCALIT, ZONA, RANG) VALUES (1, \"Munte\", \"A\", \"IV\")");
  }
  writeFile(dataFile("Sate.lst"), "vechi\r\n");
  SettingsFile(dataFile("Dajdor.set")).WriteCounter("SERVER", "IDGOS", "99");
  const qint64 sizeWithDeletedRow = QFileInfo(dataFile("Gospodar.dbf")).size();

  StartupResult sameDay = start(kMonday);
  EXPECT_FALSE(sameDay.dailyMaintenance);
  EXPECT_EQ(QFileInfo(dataFile("Gospodar.dbf")).size(), sizeWithDeletedRow);  // not packed
  EXPECT_EQ(readFile(dataFile("Sate.lst")), "vechi\r\n");
  EXPECT_EQ(counter("IDGOS"), "8");
  EXPECT_EQ(sameDay.villages, QStringList({"Vale", "Munte"}));
  sameDay.database.reset();

  int progress = 0;
  StartupOptions options;
  options.appDir = appDir();
  options.today = kMonday.addDays(1);
  options.iniRows = fakeIniRows();
  options.stepProgress = [&progress](int n) { progress += n; };
  StartupResult nextDay = runStartup(options, ui_);
  EXPECT_TRUE(nextDay.dailyMaintenance);
  EXPECT_LT(QFileInfo(dataFile("Gospodar.dbf")).size(), sizeWithDeletedRow);
  EXPECT_EQ(readFile(dataFile("Sate.lst")), "Vale\r\nMunte\r\n");
  EXPECT_EQ(progress, 65);
  EXPECT_EQ(SettingsFile(dataFile("Dajdor.set")).ReadSetting("SERVER", "LASTPACK"),
            QString::number(dayNumber(kMonday.addDays(1))));
  EXPECT_TRUE(ui_.messages.isEmpty()) << messagesOf(ui_).toStdString();
}

TEST_F(StartupTest, RowsOfVanishedVillagesGoWhenTheyHaveAVillageAndARole) {
  {
    StartupResult first = start(kMonday);
    engine::Database& db = *first.database;
    exec(db, "INSERT INTO \"" + dataFile("Gospodar.dbf") + "\" (IDGOS, SATUL, ROL) VALUES (1, \"Vale\", \"1\")");
    exec(db, "INSERT INTO \"" + dataFile("DefZone.dbf") + "\" (ID, LOCALIT) VALUES (1, \"Deal \"\"Mare\"\"\")");
    for (const char* table : {"Chitante.dbf", "Datorii.dbf", "SoldCalc.dbf"}) {
      const QString into = "INSERT INTO \"" + dataFile(table) + "\" (SATUL, ROL) VALUES ";
      for (const char* values : {"(\"Vale\", \"1\")", "(\"Deal \"\"Mare\"\"\", \"2\")", "(\"Munte\", \"3\")",
                                 "(\"Munte\", \"\")", "(\"\", \"4\")"}) {
        exec(db, into + values);
      }
    }
  }
  StartupResult sameDay = start(kMonday);
  EXPECT_EQ(rows(*sameDay.database, "SELECT SATUL FROM \"" + dataFile("Datorii.dbf") + "\" WHERE ROL=\"3\""),
            QStringList({"Munte"}));  // only the day's first start cleans up
  sameDay.database.reset();

  StartupResult nextDay = start(kMonday.addDays(1));
  for (const char* table : {"Chitante.dbf", "Datorii.dbf", "SoldCalc.dbf"}) {
    EXPECT_EQ(rows(*nextDay.database, "SELECT SATUL, ROL FROM \"" + dataFile(table) + "\" ORDER BY SATUL, ROL"),
              QStringList({"|4", "Deal \"Mare\"|2", "Munte|", "Vale|1"}))
        << table;
  }
}

TEST_F(StartupTest, NoVillageAtAllRemovesNothing) {
  {
    StartupResult first = start(kMonday);
    exec(*first.database, "INSERT INTO \"" + dataFile("Chitante.dbf") + "\" (SATUL, ROL) VALUES (\"Vale\", \"1\")");
  }
  StartupResult nextDay = start(kMonday.addDays(1));
  EXPECT_TRUE(nextDay.villages.isEmpty());
  EXPECT_EQ(rows(*nextDay.database, "SELECT SATUL FROM \"" + dataFile("Chitante.dbf") + "\""), QStringList({"Vale"}));
  EXPECT_FALSE(QFile::exists(dataFile("Sate.lst")));
}

TEST_F(StartupTest, IncompleteSharedDirectoryIsReportedAndTheRunWorksLocally) {
  // A shared directory with every table but Pag7.dbf.
  const QString server = dir_.filePath("server");
  {
    ASSERT_TRUE(QDir().mkpath(server));
    engine::Database db(server.toStdString());
    for (const QString& file : sharedDirectoryTables()) {
      if (file != "Pag7.dbf") sql::execute(db, "CREATE TABLE \"" + server + "/" + file + "\" (IDGOS DECIMAL(10,0))");
    }
  }
  MachineSettings().WriteRegistry("SERVER", server + "/");
  StartupResult result = start(kMonday);
  ASSERT_FALSE(ui_.messages.isEmpty());
  const auto& message = ui_.messages.first();
  EXPECT_EQ(message.title, "Conectare server");
  EXPECT_EQ(message.text, "Baza de date " + server +
                              "\rNU este accesibila sau este incompleta!\rVerificati conexiunea si baza si reporniti programul!");
  EXPECT_EQ(message.kind, MessageKind::Error);
  EXPECT_EQ(message.buttons, Button::Ok);
  EXPECT_TRUE(result.isLocal);
  EXPECT_EQ(result.paths.dataDir, dataDir());
  EXPECT_TRUE(QFile::exists(dataFile("Gospodar.dbf")));
}

TEST_F(StartupTest, ClientOfACompleteSharedDirectoryLeavesItsTablesAlone) {
  // The server machine's directory, one name as another system wrote it.
  const QString server = dir_.filePath("server");
  ASSERT_TRUE(QDir().mkpath(server));
  {
    engine::Database db(server.toStdString());
    SettingsFile serverSettings(server + "/Dajdor.set");
    CreateTables(db, server, fakeIniRows(), serverSettings, ui_, dir_.filePath("no-models"));
    serverSettings.WriteCounter("SERVER", "IDGOS", "50");
  }
  ASSERT_TRUE(QFile::rename(server + "/Pag7.dbf", server + "/PAG7.DBF"));
  ASSERT_TRUE(QFile::remove(server + "/Somatii.dbf"));
  MachineSettings().WriteRegistry("SERVER", server);

  StartupResult result = start(kMonday);
  EXPECT_TRUE(ui_.messages.isEmpty()) << messagesOf(ui_).toStdString();
  EXPECT_FALSE(result.isLocal);
  EXPECT_EQ(result.paths.dataDir, server);
  EXPECT_FALSE(QFile::exists(server + "/Somatii.dbf"));  // clients create nothing
  SettingsFile serverSettings(server + "/Dajdor.set");
  EXPECT_EQ(serverSettings.ReadCounter("SERVER", "IDGOS"), "50");  // nor prime
  EXPECT_EQ(serverSettings.ReadSetting("SERVER", "LASTPACK"), "");  // nor pack
  EXPECT_TRUE(QDir(dataDir()).exists());
}

TEST_F(StartupTest, DamagedTableAndSettingsAreReportedAndTheRestStillRuns) {
  start(kMonday);
  const QByteArray garbage(700, '\x07');
  writeFile(dataFile("Gospodar.dbf"), garbage);
  writeFile(dataFile("Dajdor.set"), readFile(dataFile("Dajdor.set")) + "\x01\x02 broken\r\n");
  SettingsFile(dataFile("Dajdor.set")).WriteCounter("SERVER", "IDGOS", "55");
  ui_.messages.clear();

  StartupResult result = start(kMonday.addDays(1));
  ASSERT_TRUE(result.database);
  const QString all = messagesOf(ui_);
  EXPECT_TRUE(all.contains("Fisier de setari")) << all.toStdString();
  EXPECT_TRUE(all.contains("Gospodar.dbf")) << all.toStdString();
  EXPECT_EQ(readFile(dataFile("Gospodar.dbf")), garbage);  // never overwritten
  EXPECT_TRUE(readFile(dataFile("Dajdor.set")).contains("\x01\x02 broken\r\n"));
  EXPECT_EQ(counter("IDGOS"), "55");  // its table could not tell
  EXPECT_EQ(counter("IDCOD"), "13");
  EXPECT_FALSE(result.databaseEmpty);
}

// Another program keeps the taxpayers table to itself during the day's first start.
TEST_F(StartupTest, LockedTableIsReportedAndTheRestStillRuns) {
  start(kMonday).database.reset();
  ui_.messages.clear();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    try {
      engine::Database db(dataDir().toStdString());
      auto cursor = db.openTable(dataFile("Gospodar.dbf").toStdString(), true);
      if (write(ready[1], "x", 1) != 1) _exit(1);
      pause();
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);

  StartupResult result = start(kMonday.addDays(1));
  kill(holder, SIGTERM);
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  close(ready[1]);

  ASSERT_TRUE(result.database);
  const QString all = messagesOf(ui_);
  EXPECT_TRUE(all.contains("Gospodar.dbf")) << all.toStdString();
  EXPECT_TRUE(result.dailyMaintenance);
  EXPECT_EQ(counter("IDCOD"), "13");  // the other counters are still primed
  EXPECT_EQ(counter("IDGOS"), "1");
  // One message for the whole start, naming each step the lock stopped.
  ASSERT_EQ(ui_.messages.size(), 1) << all.toStdString();
  EXPECT_EQ(ui_.messages.first().title, "Initializare");
  EXPECT_EQ(ui_.messages.first().kind, MessageKind::Error);
  for (const char* step : {"Lista satelor", "Intretinere zilnica", "Contoare"}) {
    EXPECT_TRUE(all.contains(step)) << step;
  }
}

TEST_F(StartupTest, DataFolderThatCannotBeCreatedIsReported) {
  writeFile(dir_.filePath("Data"), "not a folder");
  StartupResult result = start(kMonday);
  ASSERT_FALSE(ui_.messages.isEmpty());
  EXPECT_TRUE(ui_.messages.first().text.contains("nu poate fi creat")) << messagesOf(ui_).toStdString();
  EXPECT_FALSE(result.database);
  EXPECT_EQ(readFile(dir_.filePath("Data")), "not a folder");
}

}  // namespace
}  // namespace dajdor::testing
