#pragma once
#include <deque>
#include <memory>
#include <string>

#include "link/port_open.h"
#include "link/serial_port.h"
#include "sim/line_service.h"

namespace ruvenset::sim {

// The simulated flow computer inside the program, in real time and without a pseudo-terminal: the
// demo of ruvenset-cli and ruvenset on every system. Each port opened from it is its main line.
class InProcessSimulator {
 public:
  // The name under which the demo shows its port.
  static constexpr const char* kPortName = "simulated flow computer";

  // Null (with the reason in error) when the options are not sound.
  static std::unique_ptr<InProcessSimulator> Start(const SimOptions& options, std::string* error);

  // Runs a control command and returns its reply line.
  std::string Control(const std::string& line);
  // Opens kPortName on the simulator and any other name through `system` (a real port).
  PortOpener Opener(PortOpener system);

 private:
  explicit InProcessSimulator(const SimOptions& options) : service_(options) {}
  LineService service_;
};

// A serial port whose other end is the simulator: a write goes to the simulated devices at once, and
// their answer arrives byte by byte at the line speed. Reads follow the time-outs of a real port and
// end at once on a stop.
class SimulatedPort final : public SerialPort {
 public:
  explicit SimulatedPort(LineService& service) : service_(service) {}

  bool Configure(const LineSettings& line) override {
    line_ = line;
    return true;
  }
  LineSettings Line() const override { return line_; }
  void Purge() override;
  void SetDtr(bool) override {}
  void SetRts(bool) override {}
  void SetTimeouts(const ReadTimeouts& timeouts) override { timeouts_ = timeouts; }
  bool Write(const uint8_t* data, size_t size) override;
  int Read(uint8_t* data, size_t size) override;

 private:
  struct Arrival {
    uint8_t byte;
    int64_t at;  // steady clock
  };
  // Waits until the moment or until a stop; false when the stop came first.
  bool WaitUntil(int64_t at) const;

  LineService& service_;
  std::deque<Arrival> incoming_;
  LineSettings line_;
  ReadTimeouts timeouts_;
};

}  // namespace ruvenset::sim
