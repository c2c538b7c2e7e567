#pragma once
#include <QCoreApplication>
#include <QMetaObject>
#include <memory>
#include <type_traits>
#include <utility>

#include "common/worker_thread.h"

namespace ruvenset {

// Hands a timer window's work to the worker that owns the link and renders the result on the
// user-interface thread when it comes back. The worker is the one whose call built the window (the
// procedure that shows it); a window built outside any procedure gets a worker of its own.
//
//   runner_.Run([this] { return logic_.Timer1Timer(); },       // on the worker: the exchanges
//               [this](int next) { Render(); Timer1->start(next); });  // on this thread
//
// Work posted while earlier work runs waits for it; the window re-arms its timer in the render, so a
// tick never starts while the previous one runs. Once the runner is gone, results are dropped.
class TickRunner {
 public:
  TickRunner();
  ~TickRunner();
  TickRunner(const TickRunner&) = delete;
  TickRunner& operator=(const TickRunner&) = delete;

  template <class Work, class Render>
  void Run(Work work, Render render) {
    ++pending_;
    Worker().Post([work = std::move(work), render = std::move(render), alive = alive_, this]() mutable {
      if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
        work();
        Deliver(alive, [render = std::move(render)]() mutable { render(); });
      } else {
        auto result = work();
        Deliver(alive,
                [render = std::move(render), result = std::move(result)]() mutable { render(result); });
      }
    });
  }

  // Whether work is running or waiting on the worker.
  bool running() const { return pending_ > 0; }
  // Ends the link's wait for an answer in the running work (Stop, Escape).
  void RequestStop();

 private:
  WorkerThread& Worker();
  template <class Fn>
  void Deliver(const std::shared_ptr<bool>& alive, Fn fn) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [alive, this, fn = std::move(fn)]() mutable {
          if (!*alive) return;
          --pending_;
          fn();
        },
        Qt::QueuedConnection);
  }

  WorkerThread* worker_;
  std::unique_ptr<WorkerThread> own_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  int pending_ = 0;
};

}  // namespace ruvenset
