#include "viewer/windows/instance_server.h"

#include <QLocalSocket>
#include <QTimer>

#include "viewer/instance_name.h"

namespace ruvenset {

InstanceServer::InstanceServer(std::function<void()> show, std::function<void()> quit, QObject* parent)
    : QObject(parent), show_(std::move(show)), quit_(std::move(quit)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

bool InstanceServer::Listen(const QString& name) {
  if (server_.listen(name)) return true;
  QLocalServer::removeServer(name);
  return server_.listen(name);
}

void InstanceServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray request = socket->readLine().trimmed();
      std::function<void()> action;
      if (request == kInstanceShow) action = show_;
      if (request == kInstanceQuit) action = quit_;
      if (!action) {
        socket->disconnectFromServer();
        return;
      }
      socket->write(QByteArray(kInstanceReply) + '\n');
      socket->flush();
      socket->disconnectFromServer();
      QTimer::singleShot(0, this, action);
    });
  }
}

}  // namespace ruvenset
