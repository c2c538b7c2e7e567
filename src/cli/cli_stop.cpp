#include "cli/cli_stop.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "cli/console.h"

namespace ruvenset::cli {
namespace {

// A signal or console handler reaches only what lives outside any object: the stop of the one link of
// this run and the leave request kept ready for it. The request's bytes are written before `lastLeavePort` is
// set.
std::atomic<StopSignal*> linkStop{nullptr};
std::atomic<int> signals{0};
std::atomic<SerialPort*> lastLeavePort{nullptr};
uint8_t lastLeave[kLastLeaveCapacity];
size_t lastLeaveSize = 0;
bool lastLeaveKeyRts = false;
int lastLeaveWaitMs = 0;

void OnStopSignal() {
  if (signals.fetch_add(1) > 0) {
    if (SerialPort* port = lastLeavePort.exchange(nullptr))
      port->SendLastRequest(lastLeave, lastLeaveSize, lastLeaveKeyRts, lastLeaveWaitMs);
    std::_Exit(kExitStopped);
  }
  if (StopSignal* stop = linkStop.load()) stop->Request();
}

}  // namespace

void InstallStopHandlers(StopSignal& stop) {
  linkStop.store(&stop);
  InstallConsoleStop(OnStopSignal);
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
    const StdinWait wait = WaitForStdinOrStop(stop);
    if (wait == StdinWait::Failed) return InputLine::EndOfInput;
    if (StopEndsTheStep(stop)) return InputLine::Stopped;
    if (wait != StdinWait::Readable) continue;
    char c = 0;
    const int n = ReadStdinByte(c);
    if (n < 0) continue;
    if (n == 0) return line.empty() ? InputLine::EndOfInput : InputLine::Read;
    if (c == '\n') return InputLine::Read;
    line.push_back(c);
  }
}

}  // namespace ruvenset::cli
