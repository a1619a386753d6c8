// Windows-1250, the code page of every text file the program shares with the
// town hall's other tools (settings file, village list), over the engine's codec.
#pragma once

#include <QByteArray>
#include <QString>

namespace dajdor::cp1250 {

QString decode(const QByteArray& bytes);
// Appends the code-page form of `text` to `out`; false, with the first
// character that has no such form in `bad`, when it cannot be written. The
// Romanian comma-below letters become their cedilla forms.
bool encode(const QString& text, QByteArray& out, QString& bad);

}  // namespace dajdor::cp1250
