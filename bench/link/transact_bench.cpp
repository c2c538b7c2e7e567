// Cost of the transaction engine against the simulated flow computer on a pseudo-terminal, with RTS
// keying on: processor time per wall time, lateness of the RTS drop after its deadline, and the time an
// exchange takes beyond the line time of the request and of the paced answer.
//
//   transact_bench [exchanges per speed, default 1000] [one speed in bit/s, default 115200 and 1200]
//                  [a port served by a simulator at that speed, default one of this process (Linux)]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_line.h"
#include "link/link.h"

namespace {

using namespace ruvenset;

// Passes everything to the real port and notes when the request went out and when RTS dropped.
class TimedPort final : public SerialPort {
 public:
  TimedPort(SerialPort& port, LinkClock& clock) : port_(port), clock_(clock) {}
  bool Configure(const LineSettings& line) override { return port_.Configure(line); }
  LineSettings Line() const override { return port_.Line(); }
  void Purge() override { port_.Purge(); }
  void SetDtr(bool on) override { port_.SetDtr(on); }
  void SetRts(bool on) override {
    if (!on) droppedAt = clock_.NowNs();
    port_.SetRts(on);
  }
  void SetTimeouts(const ReadTimeouts& t) override { port_.SetTimeouts(t); }
  bool Write(const uint8_t* data, size_t size) override {
    writtenAt = clock_.NowNs();
    return port_.Write(data, size);
  }
  int Read(uint8_t* data, size_t size) override { return port_.Read(data, size); }
  void SetStop(const StopSignal* stop) override { port_.SetStop(stop); }

  int64_t writtenAt = 0;
  int64_t droppedAt = 0;

 private:
  SerialPort& port_;
  LinkClock& clock_;
};

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

int Measure(int bps, int count, const std::string& portName) {
  std::string error;
  std::unique_ptr<SerialPort> line = bench::OpenBenchLine(bps, portName, error);
  if (!line) {
    std::fprintf(stderr, "transact_bench: %s\n", error.c_str());
    return 1;
  }
  SteadyLinkClock clock;
  TimedPort port(*line, clock);
  LinkSettings settings;
  settings.rtsKeying = 1;
  Link link(settings, clock);
  link.Attach(&port);
  port.Configure({bps, Parity::None});

  constexpr int kLength = 6;
  constexpr int kAnswerBytes = 6;
  const double bitNs = 1e9 / bps;
  const double holdNs =
      RtsHoldBitTimes(kLength, settings.preambles, link.runtime().preambleInRts, -1) * bitNs;
  const double lineNs = 2e6 + holdNs + kAnswerBytes * 10 * bitNs;

  std::vector<double> lateMs;
  std::vector<double> extraMs;
  LinkRequest request;
  request.command = 0x02;
  request.accept = AcceptMode::AnswerOrUnknownCommand;
  int failures = 0;
  const double cpu0 = bench::ProcessCpuSeconds();
  const double link0 = bench::ThreadCpuSeconds();
  const int64_t wall0 = clock.NowNs();
  for (int i = 0; i < count; ++i) {
    const int64_t start = clock.NowNs();
    if (link.Transact(request).status != LinkOk) ++failures;
    const int64_t end = clock.NowNs();
    lateMs.push_back((static_cast<double>(port.droppedAt - port.writtenAt) - holdNs) / 1e6);
    extraMs.push_back((static_cast<double>(end - start) - lineNs) / 1e6);
  }
  const double wall = static_cast<double>(clock.NowNs() - wall0) / 1e9;
  const double cpu = bench::ProcessCpuSeconds() - cpu0;
  const double linkCpu = bench::ThreadCpuSeconds() - link0;
  std::printf(
      "%6d bit/s  %5d exchanges  %3d failed  wall %.2f s  cpu/wall %.4f (goal <= 0.05, busy-wait ~1.0)\n",
      bps, count, failures, wall, cpu / wall);
  std::printf("              of which the link's thread %.4f, the simulator's thread %.4f\n", linkCpu / wall,
              (cpu - linkCpu) / wall);
  std::printf("              RTS drop late: median %.3f ms  p99 %.3f ms  max %.3f ms (goal p99 <= 0.2 ms)\n",
              Percentile(lateMs, 0.5), Percentile(lateMs, 0.99), Percentile(lateMs, 1.0));
  std::printf("              beyond line time: median %.3f ms  p99 %.3f ms per exchange (goal <= 1 ms)\n",
              Percentile(extraMs, 0.5), Percentile(extraMs, 0.99));
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  int rc = 0;
  if (argc > 2) return Measure(std::atoi(argv[2]), count, argc > 3 ? argv[3] : "");
  for (int bps : {115200, 1200}) rc |= Measure(bps, count, "");
  return rc;
}
