// Windows-1250, the code page of every text file the program shares with the
// town hall's other tools (settings file, village list).
#pragma once

#include <QByteArray>
#include <QString>

namespace dajdor::cp1250 {

QString decode(const QByteArray& bytes);
// Characters the code page lacks become '?'.
QByteArray encode(const QString& text);

}  // namespace dajdor::cp1250
