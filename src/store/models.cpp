#include "store/models.h"

#include "store/files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace dajdor {
namespace {

QString resourcePath(const QString& root, const QString& resource) { return root + QLatin1Char('/') + resource; }

}  // namespace

const QList<ModelFile>& modelUpkeepList() {
  // Spreadsheet templates are .xlsx in this program.
  static const QList<ModelFile> list = {
      {"ListPlat.xlsx", "LISTPLAT", ""},
      {"RegCasa.xlsx", "REGCASA", ""},
      {"Titlu.rtf", "TITLU", ""},
      {"PopAngaj2.rtf", "POPANGAJ", "PopAngaj.rtf"},
      {"PopBanca2.rtf", "POPBANCA", "PopBanca.rtf"},
      {"CFiscal3.rtf", "CFISCAL", "CFiscal2.rtf"},
  };
  return list;
}

bool ExtractModel(const QString& resource, const QString& file, const QString& resourceRoot) {
  QFile source(resourcePath(resourceRoot, resource));
  if (!source.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = source.readAll();
  QSaveFile target(file);
  return target.open(QIODevice::WriteOnly) && target.write(bytes) == bytes.size() && target.commit();
}

ModelUpkeepResult UpkeepModels(const QString& dataDir, const QString& resourceRoot) {
  ModelUpkeepResult result;
  for (const ModelFile& model : modelUpkeepList()) {
    const QString target = fileInDir(dataDir, model.file);
    if (QFile::exists(target) || !QFile::exists(resourcePath(resourceRoot, model.resource))) continue;
    if (!ExtractModel(model.resource, target, resourceRoot)) {
      result.failed.append(target);
      continue;
    }
    result.written.append(target);
    if (!model.superseded.isEmpty()) QFile::remove(fileInDir(dataDir, model.superseded));
  }
  return result;
}

}  // namespace dajdor
