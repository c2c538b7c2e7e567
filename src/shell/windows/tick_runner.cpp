#include "shell/windows/tick_runner.h"

#include <QEventLoop>

#include "shell/windows/ui_thread.h"

namespace ruvenset {

TickRunner::TickRunner() : worker_(CallingWorker()) {}

TickRunner::~TickRunner() {
  *alive_ = false;
  // Work still running on a worker of its own may be waiting for this thread (a status text): it is
  // served until the worker is done, then the worker ends.
  while (own_ && !own_->idle()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  own_.reset();
}

WorkerThread& TickRunner::Worker() {
  if (worker_ != nullptr) return *worker_;
  if (!own_) own_ = std::make_unique<WorkerThread>();
  return *own_;
}

void TickRunner::RequestStop() {
  if (worker_ != nullptr) worker_->RequestStop();
}

}  // namespace ruvenset
