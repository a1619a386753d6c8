// The backup offered when the program ends: only the copy that works on its own
// data directory offers it, and only when the backup directory is writable. The
// archive of the day gets the first free number: <dir>/dd.MM.yyyy_0.d14, _1, ...
#pragma once

#include "store/interaction.h"

#include <QDate>
#include <QString>

namespace dajdor {

// True when `dir` is set (not blank and not "-") and a file can be created and
// deleted in it.
bool backupDirectoryUsable(const QString& dir);

// The first <dir>/<dd.MM.yyyy>_<n>.d14 that does not exist.
QString nextBackupArchive(const QString& dir, const QDate& day);

// Asks "Salvare Automata" when a backup is possible and returns the archive to
// write, or "" when none is wanted or possible.
QString exitBackupTarget(bool worksLocally, const QString& backupDir, const QDate& today,
                         Interaction& interaction);
// The same with the backup directory of this machine's settings (CALESALVARI).
QString exitBackupTarget(bool worksLocally, const QDate& today, Interaction& interaction);

}  // namespace dajdor
