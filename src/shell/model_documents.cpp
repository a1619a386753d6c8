#include "shell/model_documents.h"

#include "store/files.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace dajdor {
namespace {

// Menu id -> model file in the data directory ("" = the last document).
const std::pair<const char*, const char*> kModels[] = {
    {"ModelInstiintareDePlata", "Instiintare.rtf"},
    {"SomatieTitluExecutoriu", "Titlu.rtf"},
    {"PoprireAngajator", "PopAngaj2.rtf"},
    {"PoprireBanca", "PopBanca2.rtf"},
    {"ModelCertificatFiscal", "CFiscal3.rtf"},
    {"ModelAdresaDeInfiintarePoprire", ""},
    {"ModelAferentAdresaDeInfiintarePoprire", ""},
    {"ModelConfirmareaDePrimireADebitelor", "ConfirmareD.rtf"},
    {"ModelListaPlatiRegistrulDeCasa", "ListPlat.xlsx"},
    {"ModelRegistruDeCasa", "RegCasa.xlsx"},
};

}  // namespace

QString ModelDocuments::modelFile(const QString& menuId) {
  for (const auto& [id, file] : kModels)
    if (menuId == QLatin1String(id)) return QString::fromLatin1(file);
  return QString();
}

QString ModelDocuments::documentFor(const QString& menuId) const {
  const QString file = modelFile(menuId);
  if (file.isNull()) return {};
  return file.isEmpty() ? lastDocument_ : fileInDir(dataDir_, file);
}

bool ModelDocuments::open(const QString& menuId, QString& error) {
  const QString path = documentFor(menuId);
  if (path.isEmpty()) {
    error = QStringLiteral("Nu exista un document deschis anterior.");
    return false;
  }
  if (!QFileInfo(path).isFile()) {
    error = QStringLiteral("Fisierul %1 nu exista!").arg(QDir::toNativeSeparators(path));
    return false;
  }
  if (!opener_ || !opener_(path)) {
    error = QStringLiteral("Fisierul %1 nu poate fi deschis!").arg(QDir::toNativeSeparators(path));
    return false;
  }
  lastDocument_ = path;
  return true;
}

}  // namespace dajdor
