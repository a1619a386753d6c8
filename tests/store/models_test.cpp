#include "store/models.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "store/qt_printers.h"

namespace dajdor {
namespace {

class ModelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(resources()) && QDir().mkpath(data()));
  }
  QString resources() const { return dir_.filePath("resources"); }
  QString data() const { return dir_.filePath("Data"); }
  static void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QTemporaryDir dir_;
};

TEST_F(ModelsTest, MissingModelsAreWrittenAndTheirOlderVersionsDeleted) {
  for (const char* resource : {"LISTPLAT", "TITLU", "POPANGAJ", "CFISCAL"}) {
    write(resources() + "/" + resource, QByteArray("{\\rtf1 ") + resource + "}");
  }
  write(data() + "/titlu.RTF", "edited by the town hall");
  write(data() + "/PopAngaj.rtf", "old");
  write(data() + "/PopBanca.rtf", "old, no replacement embedded yet");
  write(data() + "/CFISCAL2.RTF", "old");

  const ModelUpkeepResult result = UpkeepModels(data(), resources());
  QStringList written;
  for (const QString& file : result.written) written.append(QFileInfo(file).fileName());
  EXPECT_EQ(written, QStringList({"ListPlat.xlsx", "PopAngaj2.rtf", "CFiscal3.rtf"}));
  EXPECT_TRUE(result.failed.isEmpty());
  EXPECT_EQ(read(data() + "/PopAngaj2.rtf"), "{\\rtf1 POPANGAJ}");
  EXPECT_EQ(read(data() + "/titlu.RTF"), "edited by the town hall");
  EXPECT_FALSE(QFile::exists(data() + "/PopAngaj.rtf"));
  EXPECT_FALSE(QFile::exists(data() + "/CFISCAL2.RTF"));
  EXPECT_TRUE(QFile::exists(data() + "/PopBanca.rtf"));
  EXPECT_FALSE(QFile::exists(data() + "/RegCasa.xlsx"));

  write(data() + "/PopAngaj.rtf", "restored by hand");
  EXPECT_TRUE(UpkeepModels(data(), resources()).written.isEmpty());
  EXPECT_TRUE(QFile::exists(data() + "/PopAngaj.rtf"));  // only deleted when its successor is written
}

TEST_F(ModelsTest, ExtractionReportsWhatCannotBeWritten) {
  write(resources() + "/TITLU", "{\\rtf1 titlu}");
  EXPECT_TRUE(ExtractModel("TITLU", data() + "/Copie.rtf", resources()));
  EXPECT_EQ(read(data() + "/Copie.rtf"), "{\\rtf1 titlu}");
  EXPECT_FALSE(ExtractModel("MISSING", data() + "/Alt.rtf", resources()));
  EXPECT_FALSE(QFile::exists(data() + "/Alt.rtf"));

  const ModelUpkeepResult result = UpkeepModels(dir_.filePath("no-such-folder"), resources());
  ASSERT_EQ(result.failed.size(), 1);
  EXPECT_TRUE(result.failed.first().endsWith("Titlu.rtf"));
}

}  // namespace
}  // namespace dajdor
