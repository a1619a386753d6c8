// The folders a run works with. AppDir is the program's folder; its Data
// subfolder is the local data directory; DataDir is local or a shared one.
#pragma once

#include <QDir>
#include <QString>

namespace dajdor {

struct Paths {
  QString appDir;        // no trailing separator
  QString localDataDir;  // appDir + "/Data"
  QString dataDir;       // localDataDir, or the shared directory named by SERVER

  static Paths forAppDir(const QString& appDir) {
    const QString clean = QDir::cleanPath(appDir);
    return {clean, clean + "/Data", clean + "/Data"};
  }
  bool isLocal() const { return dataDir == localDataDir; }
  // A file of the data directory, as statements name it.
  QString dataFile(const QString& name) const { return dataDir + "/" + name; }
  QString appFile(const QString& name) const { return appDir + "/" + name; }
};

}  // namespace dajdor
