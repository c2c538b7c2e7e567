#pragma once
#include <type_traits>
#include <utility>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "common/worker_thread.h"

namespace ruvenset {

// The worker whose call the user-interface thread is running now (null outside such a call). A window
// built inside the call hands its ticks and its Stop to this worker.
WorkerThread* CallingWorker();

// Marks the user-interface thread as running a call of `worker` for the scope's lifetime.
class CallingWorkerScope {
 public:
  explicit CallingWorkerScope(WorkerThread* worker);
  ~CallingWorkerScope();
  CallingWorkerScope(const CallingWorkerScope&) = delete;
  CallingWorkerScope& operator=(const CallingWorkerScope&) = delete;

 private:
  WorkerThread* previous_;
};

// Runs `fn` on the user-interface thread and returns its result. A procedure running on a worker
// thread reaches its windows only through this: every page or window a procedure opens is built and
// shown inside such a call. On the user-interface thread itself the call is direct. From a worker the
// call is queued and the worker, while it waits, runs the ticks that the windows of the call post to it;
// from any other thread it blocks until the call is done.
template <class Fn>
auto OnUiThread(Fn&& fn) -> std::invoke_result_t<Fn&> {
  using Result = std::invoke_result_t<Fn&>;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return fn();
  WorkerThread* worker = WorkerThread::Current();
  if (worker == nullptr) {
    if constexpr (std::is_void_v<Result>) {
      QMetaObject::invokeMethod(
          app, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
      return;
    } else {
      Result result{};
      QMetaObject::invokeMethod(
          app, [&fn, &result] { result = fn(); }, Qt::BlockingQueuedConnection);
      return result;
    }
  }
  WorkerThread::Wait wait;
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        app,
        [&fn, &wait, worker] {
          {
            CallingWorkerScope scope(worker);
            fn();
          }
          worker->Complete(wait);
        },
        Qt::QueuedConnection);
    worker->ServeUntil(wait);
  } else {
    Result result{};
    QMetaObject::invokeMethod(
        app,
        [&fn, &wait, &result, worker] {
          {
            CallingWorkerScope scope(worker);
            result = fn();
          }
          worker->Complete(wait);
        },
        Qt::QueuedConnection);
    worker->ServeUntil(wait);
    return result;
  }
}

}  // namespace ruvenset
