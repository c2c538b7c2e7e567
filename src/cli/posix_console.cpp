#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "cli/console.h"

namespace ruvenset::cli {
namespace {

// A signal handler reaches only what lives outside any object.
void (*stopHandler)() = nullptr;

void OnSignal(int) {
  if (stopHandler != nullptr) stopHandler();
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

void InstallConsoleStop(void (*onStop)()) {
  stopHandler = onStop;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call returns, and the serial wait sees the stop at once. A second signal
  // waits while the first one's handler runs.
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

StdinWait WaitForStdinOrStop(const StopSignal& stop) {
  // The stop's descriptor becomes readable when a signal requests the stop after the caller's check.
  pollfd pfd[2] = {{STDIN_FILENO, POLLIN, 0}, {static_cast<int>(stop.wakeUp()), POLLIN, 0}};
  const int ready = ::poll(pfd, 2, -1);
  if (ready < 0) return errno == EINTR ? StdinWait::Woken : StdinWait::Failed;
  if (pfd[1].revents & POLLIN) stop.Drain();
  return pfd[0].revents & (POLLIN | POLLHUP | POLLERR) ? StdinWait::Readable : StdinWait::Woken;
}

int ReadStdinByte(char& c) {
  const ssize_t n = ::read(STDIN_FILENO, &c, 1);
  if (n < 0) return errno == EINTR ? -1 : 0;
  return static_cast<int>(n);
}

}  // namespace ruvenset::cli
