#include "store/files.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

void touch(const QString& path, const QByteArray& content = "x") {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

TEST(TempFileName, TakesTheFirstFreeNameAndReusesLeftovers) {
  QTemporaryDir dir;
  const QString first = TempFileName(dir.path(), "Taxe", ".dbf");
  EXPECT_EQ(first, dir.filePath("Taxe0.dbf"));
  touch(first);
  // A leftover of an earlier run is deleted and its name reused.
  EXPECT_EQ(TempFileName(dir.path(), "Taxe", ".dbf"), first);
  EXPECT_FALSE(QFile::exists(first));

  // A name that cannot be freed is skipped.
  ASSERT_TRUE(QDir(dir.path()).mkdir("Taxe0.dbf"));
  EXPECT_EQ(TempFileName(dir.path(), "Taxe", ".dbf"), dir.filePath("Taxe1.dbf"));
}

TEST(TempFileName, EmptyWhenEveryNameIsHeld) {
  QTemporaryDir dir;
  for (int n = 0; n <= 100; ++n) ASSERT_TRUE(QDir(dir.path()).mkdir(QString("Chit%1.pdf").arg(n)));
  EXPECT_EQ(TempFileName(dir.path(), "Chit", ".pdf"), "");
}

TEST(ScratchTables, LeftoversOfTheCollectionWindowsGoAndNothingElse) {
  QTemporaryDir dir;
  const QStringList leftovers = {"Impozite0.dbf", "TAXE12.DBF", "Debite100.dbf", "Gospo3.dbf", "BordSel0.dbf",
                                 "Detalii.dbf"};
  const QStringList kept = {"Taxe.dbf", "Impozite0.dbf.bak", "Taxe1a.dbf", "MyTaxe0.dbf", "Gospodar.dbf",
                            "Dajdor.set"};
  for (const QString& name : leftovers + kept) touch(dir.filePath(name));
  removeLeftoverScratchTables(dir.path());
  QStringList remaining = QDir(dir.path()).entryList(QDir::Files);
  remaining.sort();
  QStringList expected = kept;
  expected.sort();
  EXPECT_EQ(remaining, expected);
}

TEST(Directories, CopyFilesAndDeleteTrees) {
  QTemporaryDir dir;
  QDir root(dir.path());
  ASSERT_TRUE(root.mkpath("from/sub") && root.mkpath("to"));
  touch(root.filePath("from/a.dbf"), "new");
  touch(root.filePath("from/sub/b.dbf"));
  touch(root.filePath("to/a.dbf"), "old");
  EXPECT_TRUE(CopyDirectory(root.filePath("from"), root.filePath("to")));
  QFile copied(root.filePath("to/a.dbf"));
  ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
  EXPECT_EQ(copied.readAll(), "new");
  EXPECT_FALSE(QFile::exists(root.filePath("to/sub")));  // files only
  EXPECT_FALSE(CopyDirectory(root.filePath("missing"), root.filePath("to")));
  EXPECT_FALSE(CopyDirectory(root.filePath("from"), root.filePath("missing")));

  EXPECT_TRUE(DeleteDirectory(root.filePath("from")));
  EXPECT_FALSE(root.exists("from"));
  EXPECT_TRUE(DeleteDirectory(root.filePath("from")));  // already gone
}

}  // namespace
}  // namespace dajdor
