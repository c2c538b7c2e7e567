#include "common/worker_thread.h"

#include "common/precise_timers.h"

namespace ruvenset {
namespace {

thread_local WorkerThread* current = nullptr;

}  // namespace

WorkerThread::WorkerThread() : thread_([this] { Loop(); }) {}

WorkerThread::~WorkerThread() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

WorkerThread* WorkerThread::Current() {
  return current;
}

bool WorkerThread::idle() const {
  std::lock_guard lock(mutex_);
  return depth_ == 0 && tasks_.empty();
}

void WorkerThread::Post(Task task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  changed_.notify_all();
}

void WorkerThread::Complete(Wait& wait) {
  {
    std::lock_guard lock(mutex_);
    wait.done = true;
  }
  changed_.notify_all();
}

void WorkerThread::RunTask(Task& task) {
  task();
  std::lock_guard lock(mutex_);
  --depth_;
}

void WorkerThread::ServeUntil(Wait& wait) {
  std::unique_lock lock(mutex_);
  for (;;) {
    const bool serves = depth_ <= 1;
    if (serves && !tasks_.empty()) {
      Task task = std::move(tasks_.front());
      tasks_.pop_front();
      ++depth_;
      lock.unlock();
      RunTask(task);
      lock.lock();
      continue;
    }
    if (wait.done) return;
    changed_.wait(lock);
  }
}

void WorkerThread::Loop() {
  current = this;
  // The link's waits run here.
  UsePreciseTimers();
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!tasks_.empty()) {
      Task task = std::move(tasks_.front());
      tasks_.pop_front();
      ++depth_;
      lock.unlock();
      RunTask(task);
      lock.lock();
      changed_.notify_all();
      continue;
    }
    if (ending_) return;
    changed_.wait(lock);
  }
}

}  // namespace ruvenset
