#include "store/cp1250.h"

#include "store/engine/codepage.h"

#include <string>

namespace dajdor::cp1250 {

QString decode(const QByteArray& bytes) {
  return QString::fromStdString(engine::codepage::toUtf8(std::string_view(bytes.constData(), bytes.size())));
}

bool encode(const QString& text, QByteArray& out, QString& bad) {
  std::string bytes;
  std::string badChar;
  if (!engine::codepage::fromUtf8(text.toStdString(), bytes, badChar)) {
    bad = QString::fromStdString(badChar);
    return false;
  }
  out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return true;
}

}  // namespace dajdor::cp1250
