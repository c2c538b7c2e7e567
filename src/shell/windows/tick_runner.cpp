#include "shell/windows/tick_runner.h"

#include "shell/windows/ui_thread.h"

namespace ruvenset {

TickRunner::TickRunner() : worker_(CallingWorker()) {}

TickRunner::~TickRunner() {
  *alive_ = false;
  own_.reset();  // waits for work still running on a worker of its own
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
