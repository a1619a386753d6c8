#include "admin/storable_text.h"

#include "store/cp1250.h"

namespace dajdor::admin {

QChar firstUnstorableCharacter(const QString& text) {
  QByteArray bytes;
  QString bad;
  if (cp1250::encode(text, bytes, bad) || bad.isEmpty()) return {};
  return bad.front();
}

QString storableTextProblem(const QString& text, int width) {
  const QChar bad = firstUnstorableCharacter(text);
  if (!bad.isNull())
    return QString("Caracterul \"%1\" nu poate fi memorat! Folositi numai litere romanesti.")
        .arg(bad);
  if (text.size() > width)
    return QString("Textul are %1 caractere; se pot memora cel mult %2!").arg(text.size()).arg(width);
  return {};
}

}  // namespace dajdor::admin
