#include "widgets/desktop_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace dajdor {

bool openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace dajdor
