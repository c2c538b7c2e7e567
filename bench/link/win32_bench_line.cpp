#include <windows.h>

#include "bench_line.h"
#include "link/port_open.h"

namespace ruvenset::bench {
namespace {

double Seconds(const FILETIME& kernel, const FILETIME& user) {
  auto ticks = [](const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;  // 100 ns units
}

}  // namespace

std::unique_ptr<SerialPort> OpenBenchLine(int, const std::string& port, std::string& error) {
  if (port.empty()) {
    error = "name the COM port of a simulated flow computer (Windows has no pseudo-terminal to serve one)";
    return nullptr;
  }
  std::unique_ptr<SerialPort> opened;
  const PortOpenResult result = OpenSerialPort(port, opened);
  if (result.error != PortOpenError::None) error = PortOpenErrorText(port, result);
  return opened;
}

double ProcessCpuSeconds() {
  FILETIME created{}, ended{}, kernel{}, user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
  return Seconds(kernel, user);
}

double ThreadCpuSeconds() {
  FILETIME created{}, ended{}, kernel{}, user{};
  ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
  return Seconds(kernel, user);
}

}  // namespace ruvenset::bench
