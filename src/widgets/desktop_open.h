// Opens a file with the application the desktop associates with its type (a
// spreadsheet with the spreadsheet program, a model document with its editor).
#pragma once

#include <QString>

namespace dajdor {

// False when the desktop could not open it.
bool openWithDesktop(const QString& path);

}  // namespace dajdor
