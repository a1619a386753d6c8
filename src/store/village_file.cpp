#include "store/village_file.h"

#include "store/cp1250.h"
#include "store/files.h"
#include "store/store_error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace dajdor {

QStringList readVillageFile(const QString& dataDir) {
  QFile file(fileInDir(dataDir, kVillageFileName));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList villages;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QString village = cp1250::decode(line).trimmed();
    if (!village.isEmpty()) villages.append(village);
  }
  return villages;
}

void writeVillageFile(const QString& dataDir, const QStringList& villages) {
  const QString path = fileInDir(dataDir, kVillageFileName);
  if (villages.isEmpty()) {
    QFile::remove(path);
    return;
  }
  QByteArray bytes;
  QString bad;
  for (const QString& village : villages) {
    if (!cp1250::encode(village, bytes, bad)) bytes += '?';
    bytes += "\r\n";
  }
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
    throw StoreError(QStringLiteral("Fisierul %1 nu poate fi scris:\r%2").arg(QDir::toNativeSeparators(path), out.errorString()));
}

}  // namespace dajdor
