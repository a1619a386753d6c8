#include "store/settings_file.h"

#include "store/store_error.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

namespace dajdor {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  QString path() const { return dir_.filePath("Dajdor.set"); }
  void writeRaw(const QByteArray& bytes) {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray readRaw() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
};

TEST_F(SettingsFileTest, CountersStartAtOneAndAdvance) {
  SettingsFile settings(path());
  EXPECT_EQ(settings.ReadCounter("SERVER", "IDSOM"), "1");
  EXPECT_EQ(settings.NextCounter("SERVER", "IDSOM"), "1");
  EXPECT_EQ(settings.ReadSetting("SERVER", "IDSOM"), "2");
  EXPECT_EQ(settings.NextCounter("Server", "idsom"), "2");  // one section, one key
  settings.WriteCounter("server", "IDSOM", "41");
  EXPECT_EQ(settings.NextCounter("SERVER", "IDSOM"), "41");
  EXPECT_EQ(settings.ReadCounter("SERVER", "IDSOM"), "42");
  settings.WriteSetting("SERVER", "CHIT", "");
  EXPECT_EQ(settings.ReadCounter("SERVER", "CHIT"), "1");  // empty counts as missing
  EXPECT_EQ(settings.NextCounter("SERVER", "CHIT"), "1");
}

TEST_F(SettingsFileTest, RaisingCountersNeverLowersOne) {
  SettingsFile settings(path());
  settings.WriteCounter("SERVER", "IDCHIT", "10");
  settings.WriteCounter("ANA", "CHIT", "7");
  settings.raiseCounters({{"SERVER", "IDCHIT", 4}, {"ana", "CHIT", 9}, {"SERVER", "IDANUL", 3}});
  EXPECT_EQ(settings.ReadCounter("SERVER", "IDCHIT"), "10");  // a later document's value stays
  EXPECT_EQ(settings.ReadCounter("ANA", "CHIT"), "9");
  EXPECT_EQ(settings.ReadCounter("SERVER", "IDANUL"), "3");
  const QByteArray before = readRaw();
  settings.raiseCounters({{"SERVER", "IDCHIT", 10}});
  EXPECT_EQ(readRaw(), before);
}

TEST_F(SettingsFileTest, WritesWindows1250IniWithCrLf) {
  SettingsFile settings(path());
  settings.WriteSetting("Server", "PREVIEWL", "DA");
  settings.WriteSetting("Ana Mureșan", "SERIA", "ȘTȚ");
  settings.WriteSetting("SERVER", "BONIF50", "NU");  // joins the existing section
  EXPECT_EQ(readRaw(), QByteArray("[Server]\r\nPREVIEWL=DA\r\nBONIF50=NU\r\n[Ana Mure\xBA" "an]\r\nSERIA=\xAA" "T\xDE\r\n"));
  EXPECT_EQ(settings.ReadSetting("ana mureşan", "seria"), "ŞTŢ");
  EXPECT_EQ(settings.ReadSetting("SERVER", "MISSING"), "");
  EXPECT_EQ(settings.ReadSetting("NOSECTION", "PREVIEWL"), "");
}

TEST_F(SettingsFileTest, ReadsFilesWrittenByOtherToolsAndKeepsTheirLines) {
  writeRaw("; counters\n[SERVER]\nIDGOS = 17 \n\n[VAR]\nNUMED=Ionescu\n");
  SettingsFile settings(path());
  EXPECT_EQ(settings.ReadSetting("server", "IdGos"), "17");
  settings.WriteSetting("SERVER", "LASTPACK", "41640");
  EXPECT_EQ(readRaw(), QByteArray("; counters\r\n[SERVER]\r\nIDGOS = 17 \r\nLASTPACK=41640\r\n\r\n[VAR]\r\nNUMED=Ionescu\r\n"));
  EXPECT_TRUE(settings.damagedLines().isEmpty());
  EXPECT_TRUE(settings.damageReport().isEmpty());
}

TEST_F(SettingsFileTest, DamagedFileIsReadWhereSoundAndNeverRewrittenBlindly) {
  const QByteArray garbage("\x01\x02\x00\x7f garbage", 13);
  writeRaw("[SERVER]\r\nIDGOS=5\r\n" + garbage + "\r\n[broken\r\nIDDAT=9\r\n=novalue\r\n");
  SettingsFile settings(path());
  EXPECT_EQ(settings.ReadSetting("SERVER", "IDGOS"), "5");
  EXPECT_EQ(settings.ReadSetting("SERVER", "IDDAT"), "9");
  EXPECT_EQ(settings.damagedLines(), (QList<int>{3, 4, 6}));
  EXPECT_TRUE(settings.damageReport().contains("3, 4, 6"));
  EXPECT_EQ(settings.NextCounter("SERVER", "IDGOS"), "5");
  EXPECT_EQ(readRaw(), "[SERVER]\r\nIDGOS=6\r\n" + garbage + "\r\n[broken\r\nIDDAT=9\r\n=novalue\r\n");
}

TEST_F(SettingsFileTest, RefusesWhatWouldBreakTheFile) {
  SettingsFile settings(path());
  settings.WriteSetting("SERVER", "IDGOS", "abc");
  const QByteArray before = readRaw();
  EXPECT_THROW(settings.NextCounter("SERVER", "IDGOS"), StoreError);
  EXPECT_THROW(settings.WriteSetting("SERVER", "OBS", "two\r\nlines"), StoreError);
  EXPECT_THROW(settings.WriteSetting("SERVER", "A=B", "x"), StoreError);
  EXPECT_THROW(settings.WriteSetting("SER]VER", "A", "x"), StoreError);
  EXPECT_THROW(settings.WriteSetting("SERVER", "NUME", "中文"), StoreError);  // not in the code page
  EXPECT_EQ(readRaw(), before);
  try {
    settings.NextCounter("SERVER", "IDGOS");
  } catch (const StoreError& e) {
    EXPECT_TRUE(e.message().contains("IDGOS")) << e.what();
    EXPECT_TRUE(e.message().contains("abc")) << e.what();
  }
}

TEST_F(SettingsFileTest, UnwritableFileIsAnErrorNotALostValue) {
  SettingsFile settings(path());
  settings.WriteSetting("SERVER", "IDGOS", "3");
  SettingsFile inMissingFolder(dir_.filePath("missing/Dajdor.set"));
  EXPECT_THROW(inMissingFolder.WriteSetting("SERVER", "IDGOS", "4"), StoreError);
  EXPECT_THROW(inMissingFolder.NextCounter("SERVER", "IDGOS"), StoreError);
  EXPECT_EQ(inMissingFolder.ReadSetting("SERVER", "IDGOS"), "");
}

// Two processes share one settings file, as two machines share a data
// directory: every value is handed out once.
TEST_F(SettingsFileTest, TwoProcessesNeverReceiveTheSameCounterValue) {
  constexpr int kPerProcess = 500;
  QList<pid_t> children;
  for (int child = 0; child < 2; ++child) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        SettingsFile settings(path());
        QFile out(dir_.filePath(QString("taken%1.txt").arg(child)));
        if (!out.open(QIODevice::WriteOnly)) _exit(2);
        for (int i = 0; i < kPerProcess; ++i) out.write(settings.NextCounter("SERVER", "IDDAT").toLatin1() + "\n");
      } catch (...) {
        status = 1;
      }
      _exit(status);
    }
    children.append(pid);
  }
  for (const pid_t pid : children) {
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
  }
  QSet<int> values;
  for (int child = 0; child < 2; ++child) {
    QFile in(dir_.filePath(QString("taken%1.txt").arg(child)));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = in.readAll().split('\n');
    for (const QByteArray& line : lines) {
      if (!line.isEmpty()) values.insert(line.toInt());
    }
  }
  EXPECT_EQ(values.size(), 2 * kPerProcess);
  EXPECT_EQ(*std::min_element(values.begin(), values.end()), 1);
  EXPECT_EQ(*std::max_element(values.begin(), values.end()), 2 * kPerProcess);
  EXPECT_EQ(SettingsFile(path()).ReadCounter("SERVER", "IDDAT"), QString::number(2 * kPerProcess + 1));
}

}  // namespace
}  // namespace dajdor
