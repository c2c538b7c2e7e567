#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/serial_port.h"
#include "sim/fault_injector.h"
#include "sim/flow_computer_model.h"
#include "sim/hart_transmitter_model.h"
#include "sim/pseudo_terminal.h"
#include "sim/request_assembler.h"
#include "sim/sim_options.h"

namespace ruvenset::sim {

// What a line in its current settings carries: the flow computer's frames at its own speed without
// parity, HART frames at 1200 bit/s with odd parity, and nothing the device could make sense of otherwise.
enum class LineMode { FlowComputer, Hart, Ignore };
LineMode ClassifyLine(const LineSettings& line, int flowComputerSpeed, bool hartAllowed);

// The simulated flow computer served on a pseudo-terminal by a thread of its own, with two reference
// HART transmitters (a 3051 at polling address 1, a 3095 at 2) on the same line and on a second
// pseudo-terminal that stands for a HART modem.
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
  explicit SimServer(const SimOptions& options);
  void Run();
  void Serve(int fd, bool mainLine, int64_t nowNs, const uint8_t* bytes, size_t size);
  void ServeHart(int fd, const std::vector<std::vector<uint8_t>>& frames);
  // Paces the bytes at the line speed, starting no earlier than notBeforeNs (steady clock).
  void Send(int fd, const std::vector<uint8_t>& bytes, int bitsPerSecond, int bitsPerByte,
            int64_t notBeforeNs);

  SimOptions options_;
  std::unique_ptr<PseudoTerminal> line_;
  std::unique_ptr<PseudoTerminal> hart_;
  std::mutex mutex_;  // guards the model, the faults and the transmitters
  FlowComputerModel model_;
  FaultInjector faults_;
  std::vector<HartTransmitterModel> references_;
  RequestAssembler requests_;
  HartRequestAssembler hartOnLine_;
  HartRequestAssembler hartOnModem_;
  LineMode lastMode_ = LineMode::Ignore;
  int wake_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace ruvenset::sim
