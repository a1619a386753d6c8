#include "admin/admin_fixture.h"
#include "admin/path_settings.h"

#include <QDir>
#include <QFile>

using namespace dajdor::admin;

namespace dajdor::testing {
namespace {

class PathSettingsTest : public AdminTest {
 protected:
  QString folderWith(const QString& name, const QStringList& files) {
    const QString path = dir_.filePath(name);
    QDir().mkpath(path);
    for (const QString& file : files) {
      QFile f(path + "/" + file);
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    }
    return path;
  }
};

const QStringList kServerFiles = {"GOSPODAR.DBF", "pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf",
                                  "Pag6.dbf",     "Pag7.dbf", "Pag8.dbf", "Datorii.dbf"};

TEST_F(PathSettingsTest, ServerDirectoryMustHoldTheTaxTables) {
  QStringList lacking = kServerFiles;
  lacking.removeAll("Datorii.dbf");
  const QString incomplete = folderWith("incomplete", lacking);
  EXPECT_FALSE(connectServer(incomplete + "/", *machine_, ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().title, "Conectare server");
  EXPECT_EQ(ui_.messages.first().text, "Baza de date " + incomplete +
                                           "\rNU este accesibila!\r"
                                           "Verificati conexiunea si reporniti programul!");
  EXPECT_EQ(machine_->ReadRegistry("SERVER"), "");

  const QString complete = folderWith("complete", kServerFiles);
  ScriptedInteraction ui;
  EXPECT_TRUE(connectServer(complete + "/", *machine_, ui));
  EXPECT_EQ(machine_->ReadRegistry("SERVER"), complete);
  EXPECT_EQ(ui.messages.first().text, "Conectarea la server a reusit!\rPorniti programul din nou !");
  EXPECT_FALSE(connectServer("", *machine_, ui));  // chooser cancelled
}

TEST_F(PathSettingsTest, DisconnectingAsksFirstAndNeedsAConnection) {
  EXPECT_FALSE(disconnectServer("  -", *machine_, ui_));
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems.first().text, "Nu aveti ce sterge.");
  EXPECT_EQ(ui_.problems.first().field, kServerPathField);

  machine_->WriteRegistry("SERVER", "/srv/taxe");
  ScriptedInteraction no(Answer::Nu);
  EXPECT_FALSE(disconnectServer("/srv/taxe", *machine_, no));
  EXPECT_EQ(machine_->ReadRegistry("SERVER"), "/srv/taxe");
  ScriptedInteraction yes(Answer::Da);
  EXPECT_TRUE(disconnectServer("/srv/taxe", *machine_, yes));
  EXPECT_EQ(machine_->ReadRegistry("SERVER"), "");
  EXPECT_EQ(yes.messages.last().title, "Deconectat de la server");
}

TEST_F(PathSettingsTest, OnlyTheServerChoosesABackupDirectoryItCanWriteTo) {
  EXPECT_FALSE(mayChooseBackupPath(false, ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().text, "Numai Serverul poate salva automat!");
  EXPECT_EQ(ui_.messages.first().kind, MessageKind::Error);
  EXPECT_TRUE(mayChooseBackupPath(true, ui_));

  ScriptedInteraction missing;
  EXPECT_FALSE(setBackupPath(dir_.filePath("nowhere"), *machine_, missing));
  EXPECT_EQ(missing.messages.first().title, "Stabilire cale salvari");
  EXPECT_EQ(machine_->ReadRegistry("CALESALVARI"), "");

  // A file of the user's that happens to be called test.txt survives the probe.
  const QString backups = folderWith("backups", {});
  QFile own(backups + "/test.txt");
  ASSERT_TRUE(own.open(QIODevice::WriteOnly));
  own.write("pastrat");
  own.close();
  ScriptedInteraction ui;
  EXPECT_TRUE(setBackupPath(backups + "/", *machine_, ui));
  EXPECT_EQ(machine_->ReadRegistry("CALESALVARI"), backups);
  EXPECT_EQ(ui.messages.first().text, "Calea pentru Salvari Automate este acum\r" + backups + ".");
  EXPECT_EQ(QDir(backups).entryList(QDir::Files), QStringList{"test.txt"});
  ASSERT_TRUE(own.open(QIODevice::ReadOnly));
  EXPECT_EQ(own.readAll(), "pastrat");

  ScriptedInteraction off(Answer::Da);
  EXPECT_FALSE(clearBackupPath("-", *machine_, off));
  EXPECT_EQ(off.problems.first().field, kBackupPathField);
  EXPECT_TRUE(clearBackupPath(backups, *machine_, off));
  EXPECT_EQ(machine_->ReadRegistry("CALESALVARI"), "");
  EXPECT_EQ(off.messages.last().text, "Salvarea automata a fost dezactivata!");
}

TEST_F(PathSettingsTest, AgriculturalRegisterDirectoryIsRecognisedByItsTables) {
  const QStringList tables = {"Volume.dbf", "Identificare.dbf", "CAP1.DBF", "Cap2A.dbf",
                              "Cap2B.dbf",  "Cap11.dbf",        "Cap7.dbf", "Cap6.dbf"};
  const QString data = folderWith("ra/DATA", tables);
  EXPECT_EQ(checkAgriculturalRegisterPath(data + "/", ui_), data);
  EXPECT_TRUE(ui_.messages.isEmpty());
  QFile::remove(data + "/Cap6.dbf");
  EXPECT_EQ(checkAgriculturalRegisterPath(data, ui_), "");
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().text, "Baza de date " + data + "\rNU este de la RA 2010-2014!");
}

}  // namespace
}  // namespace dajdor::testing
