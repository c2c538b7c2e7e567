#pragma once
#include <functional>

#include <QLocalServer>
#include <QObject>

namespace ruvenset {

// The viewer's end of the single-instance channel: answers "show" and "quit" requests of Ruvenset or of
// a second start of the viewer by calling the given actions, and replies "ok".
class InstanceServer : public QObject {
  Q_OBJECT
 public:
  InstanceServer(std::function<void()> show, std::function<void()> quit, QObject* parent = nullptr);

  // Listens on `name`, replacing a socket left behind by a viewer that ended without removing it.
  bool Listen(const QString& name);

 private:
  void Accept();

  QLocalServer server_;
  std::function<void()> show_;
  std::function<void()> quit_;
};

}  // namespace ruvenset
