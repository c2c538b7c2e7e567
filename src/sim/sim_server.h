#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/line_service.h"
#include "sim/pseudo_terminal.h"

namespace ruvenset::sim {

// The simulated flow computer served on a pseudo-terminal by a thread of its own, with its reference
// HART transmitters on the same line and on a second pseudo-terminal that stands for a HART modem.
// Linux only: Windows has no pseudo-terminals (there the simulator runs inside the program, see
// simulated_port.h).
class SimServer {
 public:
  static std::unique_ptr<SimServer> Start(const SimOptions& options, std::string* error);
  ~SimServer();  // stops the thread, removes the links
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // The path to open: the link when one was asked for, else the pseudo-terminal itself.
  const std::string& path() const { return line_->path(); }
  const std::string& hartPath() const { return hart_->path(); }
  // Runs a control command (thread-safe) and returns its reply line.
  std::string Control(const std::string& line);

 private:
  explicit SimServer(const SimOptions& options) : service_(options) {}
  void Run();
  void Serve(int fd, bool mainLine, int64_t nowNs, const uint8_t* bytes, size_t size);
  // Paces the bytes at the line speed, starting no earlier than the answer's moment.
  void Send(int fd, const LineAnswer& answer);

  LineService service_;
  std::unique_ptr<PseudoTerminal> line_;
  std::unique_ptr<PseudoTerminal> hart_;
  int wake_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace ruvenset::sim
