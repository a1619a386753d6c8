// Romanian texts for Qt's own dialogs and buttons (the folder and file choosers,
// the standard buttons, the edit menus). Debian ships no Romanian translation of
// Qt, so the program brings the few texts its windows show, all in this one place.
#pragma once

class QCoreApplication;

namespace dajdor {

// Installs the texts once; later calls do nothing.
void installRomanianStandardTexts(QCoreApplication& app);

}  // namespace dajdor
