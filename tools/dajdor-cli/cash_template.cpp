#include "cash_template.h"

#include "cash/cash_listings.h"
#include "store/models.h"

#include <QDir>
#include <QFile>

namespace dajdor::cli {

QString cashTemplate(const QString& dataDir, const QString& file, const QString& resource, const QString& scratchDir) {
  const QString own = cash::templateIn(dataDir, file);
  if (QFile::exists(own)) return own;
  const QString embedded = QDir(scratchDir).filePath(file);
  return ExtractModel(resource, embedded) ? embedded : QString();
}

}  // namespace dajdor::cli
