#include <sys/resource.h>

#include "bench_line.h"
#include "link/port_open.h"
#include "sim/sim_server.h"

namespace ruvenset::bench {
namespace {

double Seconds(const rusage& u) {
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The port of the built-in simulator, which lives as long as the port.
class ServedPort final : public SerialPort {
 public:
  ServedPort(std::unique_ptr<sim::SimServer> server, std::unique_ptr<SerialPort> port)
      : server_(std::move(server)), port_(std::move(port)) {}
  bool Configure(const LineSettings& line) override { return port_->Configure(line); }
  LineSettings Line() const override { return port_->Line(); }
  void Purge() override { port_->Purge(); }
  void SetDtr(bool on) override { port_->SetDtr(on); }
  void SetRts(bool on) override { port_->SetRts(on); }
  void SetTimeouts(const ReadTimeouts& t) override { port_->SetTimeouts(t); }
  bool Write(const uint8_t* data, size_t size) override { return port_->Write(data, size); }
  int Read(uint8_t* data, size_t size) override { return port_->Read(data, size); }
  void SetStop(const StopSignal* stop) override { port_->SetStop(stop); }

 private:
  std::unique_ptr<sim::SimServer> server_;
  std::unique_ptr<SerialPort> port_;
};

}  // namespace

std::unique_ptr<SerialPort> OpenBenchLine(int bitsPerSecond, const std::string& port, std::string& error) {
  std::unique_ptr<SerialPort> opened;
  if (!port.empty()) {
    const PortOpenResult result = OpenSerialPort(port, opened);
    if (result.error != PortOpenError::None) error = PortOpenErrorText(port, result);
    return opened;
  }
  sim::SimOptions options;
  options.speed = bitsPerSecond;
  auto server = sim::SimServer::Start(options, &error);
  if (!server) return nullptr;
  const PortOpenResult result = OpenSerialPort(server->path(), opened);
  if (result.error != PortOpenError::None) {
    error = PortOpenErrorText(server->path(), result);
    return nullptr;
  }
  return std::make_unique<ServedPort>(std::move(server), std::move(opened));
}

double ProcessCpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return Seconds(u);
}

double ThreadCpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_THREAD, &u);
  return Seconds(u);
}

}  // namespace ruvenset::bench
