#pragma once
#include <type_traits>
#include <utility>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace ruvenset {

// Runs `fn` on the user-interface thread and returns its result. A procedure running on a worker
// thread reaches its windows only through this: every page or window a procedure opens is built and
// shown inside such a call. On the user-interface thread itself the call is direct.
template <class Fn>
auto OnUiThread(Fn&& fn) -> std::invoke_result_t<Fn&> {
  using Result = std::invoke_result_t<Fn&>;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return fn();
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        app, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    QMetaObject::invokeMethod(
        app, [&fn, &result] { result = fn(); }, Qt::BlockingQueuedConnection);
    return result;
  }
}

}  // namespace ruvenset
