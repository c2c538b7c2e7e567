#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "common/posix_fd_io.h"
#include "common/steady_now.h"
#include "link/posix_line_termios.h"
#include "sim/sim_server.h"

namespace ruvenset::sim {
std::unique_ptr<SimServer> SimServer::Start(const SimOptions& options, std::string* error) {
  if (const std::string why = LineService::CheckOptions(options); !why.empty()) {
    if (error) *error = why;
    return nullptr;
  }
  std::unique_ptr<SimServer> server(new SimServer(options));
  server->line_ = PseudoTerminal::Open({options.speed, Parity::None}, options.linkPath, error);
  if (!server->line_) return nullptr;
  server->hart_ = PseudoTerminal::Open({1200, Parity::Odd}, options.hartLinkPath, error);
  if (!server->hart_) return nullptr;
  if (::pipe2(server->wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
    if (error) *error = "cannot create a pipe";
    return nullptr;
  }
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
  return service_.Control(line, SteadyNowNs());
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
        Serve(fds[i].fd, i == 0, SteadyNowNs(), buffer, static_cast<size_t>(n));
      }
    }
  }
}

void SimServer::Serve(int fd, bool mainLine, int64_t nowNs, const uint8_t* bytes, size_t size) {
  LineSettings line;
  if (!GetTerminalLine(fd, line)) return;
  std::vector<LineAnswer> answers;
  service_.Serve(mainLine, line, nowNs, bytes, size, answers);
  for (const LineAnswer& answer : answers) Send(fd, answer);
}

void SimServer::Send(int fd, const LineAnswer& answer) {
  const std::vector<uint8_t>& bytes = answer.bytes;
  if (!service_.options().pace) {
    WriteAll(fd, bytes.data(), bytes.size(), 100);
    return;
  }
  const int64_t byteNs = answer.ByteNs();
  const auto start =
      std::max(std::chrono::steady_clock::now(),
               std::chrono::steady_clock::time_point(std::chrono::nanoseconds(answer.notBeforeNs)));
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
