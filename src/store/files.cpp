#include "store/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace dajdor {

QString fileInDir(const QString& dir, const QString& name) {
  const QDir folder(dir);
  if (QFileInfo::exists(folder.filePath(name))) return folder.filePath(name);
  const QStringList found = folder.entryList({name}, QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& entry : found) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
  }
  return folder.filePath(name);
}

QString TempFileName(const QString& dir, const QString& prefix, const QString& ext) {
  for (int n = 0; n <= 100; ++n) {
    const QString name = QDir(dir).filePath(prefix + QString::number(n) + ext);
    const QFileInfo info(name);
    if (!info.exists() && !info.isSymLink()) return name;
    // Deleting a file is allowed here even while a program has it open; an
    // office program's lock file beside it says the file is still in use.
    if (QFileInfo::exists(info.dir().filePath(".~lock." + info.fileName() + "#"))) continue;
    // A folder of that name is never taken for a scratch file.
    if (info.isFile() && QFile::remove(name)) return name;
  }
  return QString();
}

const QStringList& scratchTablePrefixes() {
  static const QStringList prefixes = {"Impozite", "Taxe", "Debite", "Gospo", "BordSel"};
  return prefixes;
}

void removeLeftoverScratchTables(const QString& programFolder) {
  const QDir folder(programFolder);
  const QString alternatives = scratchTablePrefixes().join('|');
  const QRegularExpression leftover("^((" + alternatives + ")\\d{1,3}|Detalii)\\.dbf$",
                                    QRegularExpression::CaseInsensitiveOption);
  for (const QString& name : folder.entryList(QDir::Files)) {
    if (leftover.match(name).hasMatch()) QFile::remove(folder.filePath(name));
  }
}

bool DeleteDirectory(const QString& path) {
  if (path.isEmpty()) return false;
  QDir dir(path);
  if (!dir.exists()) return true;
  return dir.removeRecursively();
}

bool CopyDirectory(const QString& from, const QString& to) {
  const QDir source(from);
  const QDir target(to);
  if (from.isEmpty() || to.isEmpty() || !source.exists() || !target.exists()) return false;
  const QStringList files = source.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& file : files) {
    const QString destination = target.filePath(file);
    if (QFileInfo::exists(destination) && !QFile::remove(destination)) return false;
    if (!QFile::copy(source.filePath(file), destination)) return false;
  }
  return true;
}

}  // namespace dajdor
