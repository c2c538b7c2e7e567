#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "sim/fault_injector.h"
#include "sim/flow_computer_model.h"
#include "sim/hart_transmitter_model.h"
#include "sim/request_assembler.h"
#include "sim/sim_options.h"

namespace ruvenset::sim {

// What a line in its current settings carries: the flow computer's frames at its own speed without
// parity, HART frames at 1200 bit/s with odd parity, and nothing the device could make sense of otherwise.
enum class LineMode { FlowComputer, Hart, Ignore };
LineMode ClassifyLine(const LineSettings& line, int flowComputerSpeed, bool hartAllowed);

// Bytes the simulated devices put on a line: at the given speed and character size, not before
// notBeforeNs (steady clock).
struct LineAnswer {
  std::vector<uint8_t> bytes;
  int bitsPerSecond = 0;
  int bitsPerByte = 10;
  int64_t notBeforeNs = 0;

  // The line time of one byte of the answer.
  int64_t ByteNs() const { return int64_t{bitsPerByte} * 1'000'000'000 / bitsPerSecond; }
};

// The simulated flow computer with two reference HART transmitters (a 3051 at polling address 1, a 3095
// at 2), on its main line and on a second line that stands for a HART modem, whatever carries the bytes
// (a pseudo-terminal, or a port inside the program). Thread-safe.
class LineService {
 public:
  explicit LineService(const SimOptions& options);

  // Checks the options; empty when they are sound, else why not.
  static std::string CheckOptions(const SimOptions& options);

  const SimOptions& options() const { return options_; }
  // Runs a control command and returns its reply line.
  std::string Control(const std::string& line, int64_t nowNs);
  // Bytes that arrived at nowNs on the main line or the modem line, in the line's current settings;
  // the answers they call for are added to `answers`.
  void Serve(bool mainLine, const LineSettings& line, int64_t nowNs, const uint8_t* bytes, size_t size,
             std::vector<LineAnswer>& answers);

 private:
  void ServeHart(const std::vector<std::vector<uint8_t>>& frames, std::vector<LineAnswer>& answers);

  SimOptions options_;
  std::mutex mutex_;  // guards everything below
  FlowComputerModel model_;
  FaultInjector faults_;
  std::vector<HartTransmitterModel> references_;
  RequestAssembler requests_;
  HartRequestAssembler hartOnLine_;
  HartRequestAssembler hartOnModem_;
  LineMode lastMode_ = LineMode::Ignore;
};

}  // namespace ruvenset::sim
