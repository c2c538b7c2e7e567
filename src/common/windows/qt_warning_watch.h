#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

namespace ruvenset {

// Whether a message of Qt says that a window or a timer was touched from a thread that does not own it,
// or that something painted outside a paint event. Qt only warns about these; the program goes on and
// may crash later inside painting, so a test or a bench treats each as a fault.
bool IsThreadOrPainterWarning(QtMsgType type, const QString& message);

// Watches Qt's messages for thread-affinity and painter warnings: each one is passed to `fault` (on the
// thread that caused it), and every message still goes on to the handler that was installed before.
// One watch for the whole program; a second call replaces the first watch's `fault`.
void WatchQtWarnings(std::function<void(const QString&)> fault);

}  // namespace ruvenset
