// One copy of the program per machine. The first copy holds a lock file and
// listens on a local socket; a later copy finds the lock taken, asks the first
// one (through the socket) to come to the front, and is told to end.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace dajdor {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // `key` names the program (e.g. its title); the lock file lives in the
  // machine's temporary folder.
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this process is now the one copy. False when another copy runs:
  // it has been asked to come to the front and this process should end.
  bool claim();

  QString lockFilePath() const { return lockPath_; }

 signals:
  // Another start of the program asked this copy to come to the front.
  void activationRequested();

 private:
  void acceptConnection();

  QString serverName_;
  QString lockPath_;
  QLockFile lock_;
  QLocalServer server_;
};

}  // namespace dajdor
