#include "shell/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>

namespace dajdor {
namespace {
constexpr int kConnectMilliseconds = 2000;
const QByteArray kActivate = "activate\n";

QString safeName(const QString& key) {
  static const QRegularExpression unsafe("[^A-Za-z0-9]+");
  return QString(key).replace(unsafe, "-").toLower();
}
}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent),
      serverName_(safeName(key)),
      lockPath_(QDir::tempPath() + "/" + safeName(key) + ".lock"),
      lock_(lockPath_) {
  // A copy that crashed leaves its lock behind; QLockFile sees its process is gone.
  lock_.setStaleLockTime(0);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

SingleInstance::~SingleInstance() {
  server_.close();
  if (lock_.isLocked()) lock_.unlock();
}

bool SingleInstance::claim() {
  if (lock_.tryLock(0)) {
    // The socket of a crashed copy may still be there.
    QLocalServer::removeServer(serverName_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(serverName_);
    return true;
  }
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (socket.waitForConnected(kConnectMilliseconds)) {
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectMilliseconds);
    socket.disconnectFromServer();
  }
  return false;
}

void SingleInstance::acceptConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().contains(kActivate.trimmed())) emit activationRequested();
    });
  }
}

}  // namespace dajdor
