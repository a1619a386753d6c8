// File chores shared by the operations that make scratch files and folders.
#pragma once

#include <QString>
#include <QStringList>

namespace dajdor {

// The path of file `name` in `dir` whatever the case of its name on disk (the
// town hall's files come from Windows machines); dir/name when there is none.
QString fileInDir(const QString& dir, const QString& name);

// The first <dir>/<prefix><n><ext>, n = 0 .. 100, that is free: missing, or a
// leftover that could be deleted and that no office program holds open (so an
// earlier run's scratch file is reused).
// "" when all 101 names are held by files that cannot be deleted.
QString TempFileName(const QString& dir, const QString& prefix, const QString& ext);

// Work tables of the collection windows that an interrupted run left in the
// program's folder: "<prefix><n>.dbf" for these prefixes, and "Detalii.dbf".
const QStringList& scratchTablePrefixes();
// Deletes those leftovers; at start-up, before any window makes new ones.
void removeLeftoverScratchTables(const QString& programFolder);

// Deletes the folder with everything in it; true when it is gone (also when it
// never existed).
bool DeleteDirectory(const QString& path);

// Copies every file (not subfolders) of `from` into `to`, replacing files of the
// same name. False when either folder is missing or a file cannot be replaced
// (the copy stops there).
bool CopyDirectory(const QString& from, const QString& to);

}  // namespace dajdor
