#include "shell/windows/ui_thread.h"

namespace ruvenset {
namespace {

// Touched on the user-interface thread only.
WorkerThread* calling = nullptr;

}  // namespace

WorkerThread* CallingWorker() {
  return calling;
}

CallingWorkerScope::CallingWorkerScope(WorkerThread* worker) : previous_(calling) {
  calling = worker;
}

CallingWorkerScope::~CallingWorkerScope() {
  calling = previous_;
}

}  // namespace ruvenset
