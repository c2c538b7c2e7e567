#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "common/stop_signal.h"

namespace ruvenset {

// A thread that runs posted tasks one at a time, in order: the procedures and the timer windows'
// ticks, so that every exchange with the flow computer happens on it and never on the thread that
// draws the windows.
//
// A procedure running on the worker waits for the technician's answer with ServeUntil: meanwhile the
// worker keeps running the ticks that the window on the screen posts, so the link stays with one
// thread. Ticks are run only between the procedure's own steps, never inside another tick.
class WorkerThread {
 public:
  using Task = std::function<void()>;

  // What a ServeUntil waits for; set through Complete from any thread.
  struct Wait {
    bool done = false;
  };

  WorkerThread();
  // Runs what is still queued, then ends the thread.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  void Post(Task task);
  // On the worker's own thread: runs posted tasks (unless called from inside one of them) until `wait`
  // is complete, then returns once nothing is left queued, so no task outlives what it refers to.
  void ServeUntil(Wait& wait);
  void Complete(Wait& wait);

  // The stop that ends the link's wait for an answer on this worker (null: none).
  void SetStop(StopSignal* stop) { stop_ = stop; }
  void RequestStop() {
    if (stop_ != nullptr) stop_->Request();
  }

  // The worker whose thread is calling, or null on any other thread.
  static WorkerThread* Current();
  // Whether no task is running or queued.
  bool idle() const;

 private:
  void Loop();
  void RunTask(Task& task);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Task> tasks_;
  bool ending_ = false;
  int depth_ = 0;  // tasks running on the stack of the worker's thread
  StopSignal* stop_ = nullptr;
  std::thread thread_;
};

}  // namespace ruvenset
