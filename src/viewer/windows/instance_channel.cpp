#include "viewer/windows/instance_channel.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>

#include "common/user_number.h"
#include "viewer/instance_name.h"
#include "viewer/viewer_texts.h"

namespace ruvenset {
namespace {

constexpr int kConnectMs = 500;
constexpr int kReplyMs = 2000;

bool SendRequest(const QString& name, const char* request) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(QByteArray(request) + '\n');
  if (!socket.waitForBytesWritten(kReplyMs)) return false;
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(kReplyMs)) return false;
  }
  return socket.readLine().trimmed() == kInstanceReply;
}

}  // namespace

QString ViewerInstanceName() {
  return QString::fromStdString(
      InstanceChannelName(viewer_text::kMainWindowClass, viewer_text::kMainCaption, CurrentUserNumber()));
}

bool ShowRunningViewer(const QString& name) {
  return SendRequest(name, kInstanceShow);
}

bool QuitRunningViewer(const QString& name) {
  return SendRequest(name, kInstanceQuit);
}

bool StartViewer(const QString& programDir, const QString& startDir) {
  return QProcess::startDetached(QDir(programDir).filePath(QStringLiteral("grafmira")), {}, startDir);
}

}  // namespace ruvenset
