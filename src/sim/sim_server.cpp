#include "sim/sim_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "common/file_io.h"
#include "link/line_termios.h"
#include "sim/hart_frame.h"
#include "sim/sim_control.h"

namespace ruvenset::sim {
namespace {

constexpr int kHartSpeed = 1200;
constexpr int kHartBitsPerByte = 11;  // start, 8 data, parity, stop
constexpr int kBitsPerByte = 10;
constexpr int kHartResponsePreambles = 5;
constexpr int64_t kNsPerSecond = 1'000'000'000;

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A pause of 100 ms plus 20 characters ends a frame that stopped halfway.
int64_t GapNs(int bitsPerSecond, int bitsPerByte) {
  return 100'000'000 + 20LL * bitsPerByte * kNsPerSecond / bitsPerSecond;
}

}  // namespace

LineMode ClassifyLine(const LineSettings& line, int flowComputerSpeed, bool hartAllowed) {
  if (hartAllowed && line.bitsPerSecond == kHartSpeed && line.parity == Parity::Odd) return LineMode::Hart;
  if (line.bitsPerSecond == flowComputerSpeed && line.parity == Parity::None) return LineMode::FlowComputer;
  return LineMode::Ignore;
}

SimServer::SimServer(const SimOptions& options)
    : options_(options),
      model_(ModelConfigOf(options)),
      faults_(options.seed),
      references_{HartTransmitterModel::Make3051(1, HartVariable::Pressure, kHartKPa, {0x20, 0x00, 0x01}),
                  HartTransmitterModel::Make3095(2, {0x20, 0x00, 0x02})},
      requests_(GapNs(options.speed, kBitsPerByte)),
      hartOnLine_(GapNs(kHartSpeed, kHartBitsPerByte)),
      hartOnModem_(GapNs(kHartSpeed, kHartBitsPerByte)) {
  faults_.rates() = {options.drop, options.corrupt, options.wrongAddress, options.noise};
}

std::unique_ptr<SimServer> SimServer::Start(const SimOptions& options, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (options.speed <= 0) return fail("the speed must be positive");
  if (options.address < 0 || options.address > 255) return fail("the address must be 0..255");
  if (options.pipelines < 1 || options.pipelines > kMaxPipelines) {
    return fail("the number of pipelines must be 1.." + std::to_string(kMaxPipelines));
  }
  for (double p : {options.drop, options.corrupt, options.wrongAddress, options.noise}) {
    if (!(p >= 0.0 && p <= 1.0)) return fail("fault probabilities must lie in 0..1");
  }
  std::unique_ptr<SimServer> server(new SimServer(options));
  server->line_ = PseudoTerminal::Open({options.speed, Parity::None}, options.linkPath, error);
  if (!server->line_) return nullptr;
  server->hart_ = PseudoTerminal::Open({kHartSpeed, Parity::Odd}, options.hartLinkPath, error);
  if (!server->hart_) return nullptr;
  if (::pipe2(server->wake_, O_CLOEXEC | O_NONBLOCK) != 0) return fail("cannot create a pipe");
  server->thread_ = std::thread(&SimServer::Run, server.get());
  return server;
}

SimServer::~SimServer() {
  stop_ = true;
  if (wake_[1] >= 0) {
    const uint8_t b = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], &b, 1);
  }
  if (thread_.joinable()) thread_.join();
  for (int fd : wake_) {
    if (fd >= 0) ::close(fd);
  }
}

std::string SimServer::Control(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  return RunControlCommand(line, model_, faults_, Now());
}

void SimServer::Run() {
  pollfd fds[3] = {{line_->master(), POLLIN, 0}, {hart_->master(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
  uint8_t buffer[512];
  while (!stop_) {
    if (::poll(fds, 3, 200) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2 && !stop_; ++i) {
      if ((fds[i].revents & POLLIN) == 0) continue;
      for (;;) {
        const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
        if (n <= 0) break;
        Serve(fds[i].fd, i == 0, Now(), buffer, static_cast<size_t>(n));
      }
    }
  }
}

void SimServer::Serve(int fd, bool mainLine, int64_t nowNs, const uint8_t* bytes, size_t size) {
  LineSettings line;
  if (!GetTerminalLine(fd, line)) return;
  std::vector<std::vector<uint8_t>> frames;
  if (!mainLine) {
    if (ClassifyLine(line, -1, true) == LineMode::Hart) hartOnModem_.Feed(bytes, size, nowNs, frames);
    return ServeHart(fd, frames);
  }
  const LineMode mode = ClassifyLine(line, options_.speed, options_.hartOnSameLine);
  if (mode != lastMode_) {
    requests_.Reset();
    hartOnLine_.Reset();
    lastMode_ = mode;
  }
  if (mode == LineMode::Hart) {
    hartOnLine_.Feed(bytes, size, nowNs, frames);
    return ServeHart(fd, frames);
  }
  if (mode != LineMode::FlowComputer) return;
  requests_.Feed(bytes, size, nowNs, frames);
  // The request reaches a real flow computer only after its last byte has crossed the line.
  const int64_t requestEnd =
      nowNs + static_cast<int64_t>(size) * kBitsPerByte * kNsPerSecond / options_.speed;
  for (const auto& frame : frames) {
    std::vector<uint8_t> response;
    bool send = false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      send = model_.HandleRequest(frame.data(), frame.size(), nowNs, response) && faults_.Apply(response);
    }
    if (send) Send(fd, response, options_.speed, kBitsPerByte, requestEnd);
  }
}

void SimServer::ServeHart(int fd, const std::vector<std::vector<uint8_t>>& frames) {
  for (const auto& frame : frames) {
    std::vector<uint8_t> response;
    bool answered = false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (HartTransmitterModel& t : references_) {
        if (t.Handle(frame.data(), frame.size(), model_.inputs(), response)) {
          answered = true;
          break;
        }
      }
    }
    if (!answered) continue;
    response.insert(response.begin(), kHartResponsePreambles, 0xFF);
    Send(fd, response, kHartSpeed, kHartBitsPerByte, 0);
  }
}

void SimServer::Send(int fd, const std::vector<uint8_t>& bytes, int bitsPerSecond, int bitsPerByte,
                     int64_t notBeforeNs) {
  if (!options_.pace) {
    WriteAll(fd, bytes.data(), bytes.size(), 100);
    return;
  }
  const int64_t byteNs = static_cast<int64_t>(bitsPerByte) * kNsPerSecond / bitsPerSecond;
  const auto start = std::max(std::chrono::steady_clock::now(),
                              std::chrono::steady_clock::time_point(std::chrono::nanoseconds(notBeforeNs)));
  // Bytes leave in chunks of at least a millisecond of line time: the timing of a real line as a
  // reader sees it through its driver, without a wake-up per byte.
  const size_t chunk = std::max<size_t>(1, static_cast<size_t>(1'000'000 / byteNs));
  for (size_t i = 0; i < bytes.size() && !stop_; i += chunk) {
    const size_t end = std::min(i + chunk, bytes.size());
    std::this_thread::sleep_until(start + std::chrono::nanoseconds(byteNs * static_cast<int64_t>(end)));
    if (!WriteAll(fd, bytes.data() + i, end - i, 100)) return;
  }
}

}  // namespace ruvenset::sim
