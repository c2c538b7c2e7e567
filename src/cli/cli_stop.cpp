#include "cli/cli_stop.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace ruvenset::cli {
namespace {

// A signal handler reaches only what lives outside any object: the stop of the one link of this run and
// the leave request kept ready for it. The request's bytes are written before `lastLeavePort` is set.
std::atomic<StopSignal*> linkStop{nullptr};
std::atomic<int> signals{0};
std::atomic<SerialPort*> lastLeavePort{nullptr};
uint8_t lastLeave[kLastLeaveCapacity];
size_t lastLeaveSize = 0;
bool lastLeaveKeyRts = false;
int lastLeaveWaitMs = 0;

void OnStopSignal(int) {
  if (signals.fetch_add(1) > 0) {
    if (SerialPort* port = lastLeavePort.exchange(nullptr))
      port->SendLastRequest(lastLeave, lastLeaveSize, lastLeaveKeyRts, lastLeaveWaitMs);
    ::_exit(kExitStopped);
  }
  if (StopSignal* stop = linkStop.load()) stop->Request();
}

}  // namespace

void InstallStopHandlers(StopSignal& stop) {
  linkStop.store(&stop);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call returns, and the serial wait sees the stop at once. A second signal
  // waits while the first one's handler runs.
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

void ForgetStop() {
  DisarmLastLeave();
  linkStop.store(nullptr);
}

bool StopWasRequested() {
  return signals.load() > 0;
}

bool StopEndsTheStep(StopSignal& stop) {
  if (!StopWasRequested()) return false;
  stop.Clear();
  return true;
}

void ArmLastLeave(SerialPort& port, const uint8_t* transmission, size_t size, bool keyRts, int answerWaitMs) {
  lastLeavePort.store(nullptr);
  if (size > kLastLeaveCapacity) return;
  std::memcpy(lastLeave, transmission, size);
  lastLeaveSize = size;
  lastLeaveKeyRts = keyRts;
  lastLeaveWaitMs = answerWaitMs;
  lastLeavePort.store(&port);
}

void DisarmLastLeave() {
  lastLeavePort.store(nullptr);
}

InputLine WaitForInputLine(StopSignal& stop, std::string& line) {
  line.clear();
  for (;;) {
    if (StopEndsTheStep(stop)) return InputLine::Stopped;
    // The stop's descriptor becomes readable when a signal requests the stop after the check above.
    pollfd pfd[2] = {{STDIN_FILENO, POLLIN, 0}, {stop.fd(), POLLIN, 0}};
    const int ready = ::poll(pfd, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return InputLine::EndOfInput;
    if (StopEndsTheStep(stop)) return InputLine::Stopped;
    if (pfd[1].revents & POLLIN) stop.Drain();
    if (!(pfd[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return line.empty() ? InputLine::EndOfInput : InputLine::Read;
    if (c == '\n') return InputLine::Read;
    line.push_back(c);
  }
}

}  // namespace ruvenset::cli
