// The decisions the main window takes around its hooks: the backup offered at
// exit, the daily import timer and the model documents.
#include "shell/daily_import_schedule.h"
#include "shell/exit_backup.h"
#include "shell/model_documents.h"

#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

void touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(ExitBackup, TheArchiveOfTheDayTakesTheFirstFreeNumber) {
  QTemporaryDir dir;
  const QDate today(2014, 3, 1);
  EXPECT_EQ(QFileInfo(nextBackupArchive(dir.path(), today)).fileName(), "01.03.2014_0.d14");
  touch(dir.filePath("01.03.2014_0.d14"));
  touch(dir.filePath("01.03.2014_1.d14"));
  touch(dir.filePath("28.02.2014_2.d14"));  // an earlier day does not count
  touch(dir.filePath("28.02.2014_3.d14"));
  EXPECT_EQ(QFileInfo(nextBackupArchive(dir.path(), today)).fileName(), "01.03.2014_2.d14");
  touch(dir.filePath("01.03.2014_3.d14"));  // a gap is filled first
  EXPECT_EQ(QFileInfo(nextBackupArchive(dir.path(), today)).fileName(), "01.03.2014_2.d14");
}

TEST(ExitBackup, OfferedOnlyLocallyWithAWritableDirectoryAndOnlyWrittenOnDa) {
  QTemporaryDir dir;
  const QString missing = dir.filePath("lipsa");
  const QDate today(2014, 3, 1);
  struct Case {
    const char* what;
    bool local;
    QString backupDir;
    int answer;
    bool asked;
    bool target;
  };
  const Case cases[] = {
      {"local, writable, DA", true, dir.path(), Answer::Da, true, true},
      {"local, writable, NU", true, dir.path(), Answer::Nu, true, false},
      {"local, closed with Escape", true, dir.path(), Answer::Cancel, true, false},
      {"network client", false, dir.path(), Answer::Da, false, false},
      {"no backup directory", true, "-", Answer::Da, false, false},
      {"empty setting", true, "", Answer::Da, false, false},
      {"directory cannot be written", true, missing, Answer::Da, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedInteraction interaction;
    interaction.queueAnswer(c.answer);
    const QString target = exitBackupTarget(c.local, c.backupDir, today, interaction);
    ASSERT_EQ(interaction.messages.size(), c.asked ? 1 : 0);
    if (c.asked) {
      EXPECT_EQ(interaction.messages[0].title, "Salvare Automata");
      EXPECT_EQ(interaction.messages[0].text, "Doriti sa facem o copie la datele de azi?");
      EXPECT_EQ(interaction.messages[0].buttons, Button::Da | Button::Nu);
      EXPECT_EQ(interaction.messages[0].kind, MessageKind::Confirmation);
    }
    EXPECT_EQ(target.isEmpty(), !c.target);
    EXPECT_FALSE(QFile::exists(dir.filePath("Test.txt")));  // the probe is cleaned up
  }
}

TEST(DailyImport, RunsOnceADayLocallyAfterTheConfiguredTime) {
  const int today = 41700;
  const QTime at(14, 0);
  struct Case {
    const char* what;
    bool enabled;
    bool local;
    QString lastRun;
    QTime now;
    DailyImportStep step;
  };
  const Case cases[] = {
      {"due", true, true, "41699", QTime(14, 0), DailyImportStep::Run},
      {"never ran", true, true, "", QTime(15, 0), DailyImportStep::Run},
      {"garbage in the setting", true, true, "ieri", QTime(15, 0), DailyImportStep::Run},
      {"too early", true, true, "41699", QTime(13, 59), DailyImportStep::WaitAndRetry},
      {"already ran today", true, true, "41700", QTime(15, 0), DailyImportStep::Stop},
      {"option off", false, true, "41699", QTime(15, 0), DailyImportStep::Stop},
      {"network client", true, false, "41699", QTime(15, 0), DailyImportStep::Stop},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(nextDailyImportStep({c.enabled, c.local, today, c.lastRun, c.now, at}), c.step);
  }
}

TEST(ModelDocuments, EachItemOpensItsModelAndTheAddressItemsReopenTheLastDocument) {
  QTemporaryDir dataDir;
  for (const char* file : {"Titlu.rtf", "POPANGAJ2.RTF", "PopBanca2.rtf", "CFiscal3.rtf", "ConfirmareD.rtf",
                           "ListPlat.xlsx", "RegCasa.xlsx", "Instiintare.rtf"})
    touch(dataDir.filePath(file));
  QStringList opened;
  ModelDocuments models(dataDir.path(), [&](const QString& path) {
    opened << QFileInfo(path).fileName();
    return true;
  });
  QString error;
  // Nothing handled yet: the items without a model of their own have nothing to open.
  EXPECT_FALSE(models.canOpen("ModelAdresaDeInfiintarePoprire"));
  EXPECT_FALSE(models.open("ModelAferentAdresaDeInfiintarePoprire", error));
  EXPECT_FALSE(error.isEmpty());

  const std::pair<const char*, const char*> cases[] = {
      {"SomatieTitluExecutoriu", "Titlu.rtf"},
      {"PoprireAngajator", "POPANGAJ2.RTF"},  // found whatever the case on disk
      {"PoprireBanca", "PopBanca2.rtf"},
      {"ModelCertificatFiscal", "CFiscal3.rtf"},
      {"ModelConfirmareaDePrimireADebitelor", "ConfirmareD.rtf"},
      {"ModelListaPlatiRegistrulDeCasa", "ListPlat.xlsx"},
      {"ModelRegistruDeCasa", "RegCasa.xlsx"},
      {"ModelInstiintareDePlata", "Instiintare.rtf"},
      {"ModelAdresaDeInfiintarePoprire", "Instiintare.rtf"},  // the last document again
  };
  for (const auto& [id, file] : cases) {
    SCOPED_TRACE(id);
    opened.clear();
    EXPECT_TRUE(models.open(id, error)) << error.toStdString();
    EXPECT_EQ(opened, QStringList{file});
  }
  models.setLastDocument(dataDir.filePath("Titlu.rtf"));  // the filler wrote or opened a document
  opened.clear();
  EXPECT_TRUE(models.open("ModelAferentAdresaDeInfiintarePoprire", error));
  EXPECT_EQ(opened, QStringList{"Titlu.rtf"});

  // A missing model is reported, not opened.
  QFile::remove(dataDir.filePath("CFiscal3.rtf"));
  opened.clear();
  EXPECT_FALSE(models.open("ModelCertificatFiscal", error));
  EXPECT_TRUE(error.contains("CFiscal3.rtf")) << error.toStdString();
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_FALSE(ModelDocuments::isModelItem("ContulMeu"));
}

}  // namespace
}  // namespace dajdor
