#include "cli/cli_stop.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace ruvenset::cli {
namespace {

// A signal handler reaches only what lives outside any object: the stop of the one link of this run.
std::atomic<StopSignal*> linkStop{nullptr};
std::atomic<int> signals{0};

void OnStopSignal(int) {
  if (signals.fetch_add(1) > 0) ::_exit(kExitStopped);
  if (StopSignal* stop = linkStop.load()) stop->Request();
}

}  // namespace

void InstallStopHandlers(StopSignal& stop) {
  linkStop.store(&stop);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call returns, and the serial wait sees the stop at once.
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

void ForgetStop() {
  linkStop.store(nullptr);
}

bool StopWasRequested() {
  return signals.load() > 0;
}

}  // namespace ruvenset::cli
