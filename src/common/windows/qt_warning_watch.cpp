#include "common/windows/qt_warning_watch.h"

#include <mutex>
#include <utility>

namespace ruvenset {
namespace {

// Qt's message handler is a plain function pointer, so the watch it calls lives here, once per program.
struct Watch {
  std::mutex mutex;
  std::function<void(const QString&)> fault;
  QtMessageHandler previous = nullptr;
};

Watch& TheWatch() {
  static Watch watch;
  return watch;
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  Watch& watch = TheWatch();
  std::function<void(const QString&)> fault;
  QtMessageHandler previous = nullptr;
  {
    std::lock_guard<std::mutex> lock(watch.mutex);
    fault = watch.fault;
    previous = watch.previous;
  }
  if (previous != nullptr) previous(type, context, message);
  if (fault && IsThreadOrPainterWarning(type, message)) fault(message);
}

}  // namespace

bool IsThreadOrPainterWarning(QtMsgType type, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return false;
  static const char* const kSigns[] = {
      "different thread",            // setParent, children, event filters across threads
      "another thread",              // timers and socket notifiers started or stopped elsewhere
      "outside the GUI thread",      // pixmaps
      "Should no longer be called",  // QWidget::paintEngine outside a paint event
      "QPainter::",                  // a painter not active, or begun where no painting may begin
      "Recursive repaint",
      "QBackingStore::",
  };
  for (const char* sign : kSigns) {
    if (message.contains(QLatin1String(sign))) return true;
  }
  return false;
}

void WatchQtWarnings(std::function<void(const QString&)> fault) {
  Watch& watch = TheWatch();
  std::lock_guard<std::mutex> lock(watch.mutex);
  const bool installed = static_cast<bool>(watch.fault);
  watch.fault = std::move(fault);
  if (!installed) watch.previous = qInstallMessageHandler(Handle);
}

}  // namespace ruvenset
