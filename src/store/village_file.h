// Sate.lst: the villages of the data directory, one per line in Windows-1250,
// for the windows that fill their village combos from a file instead of the tables.
#pragma once

#include <QString>
#include <QStringList>

namespace dajdor {

inline const QString kVillageFileName = QStringLiteral("Sate.lst");

// The non-blank lines of the file; empty when it is missing or unreadable.
QStringList readVillageFile(const QString& dataDir);
// Replaces the file with the villages (removes it for an empty list). A
// village the code page cannot hold is written as "?". Throws StoreError when
// the file cannot be written.
void writeVillageFile(const QString& dataDir, const QStringList& villages);

}  // namespace dajdor
