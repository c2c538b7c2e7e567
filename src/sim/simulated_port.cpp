#include "sim/simulated_port.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/steady_now.h"

namespace ruvenset::sim {
std::unique_ptr<InProcessSimulator> InProcessSimulator::Start(const SimOptions& options, std::string* error) {
  if (const std::string why = LineService::CheckOptions(options); !why.empty()) {
    if (error) *error = why;
    return nullptr;
  }
  return std::unique_ptr<InProcessSimulator>(new InProcessSimulator(options));
}

std::string InProcessSimulator::Control(const std::string& line) {
  return service_.Control(line, SteadyNowNs());
}

PortOpener InProcessSimulator::Opener(PortOpener system) {
  return [this, system = std::move(system)](const std::string& path, std::unique_ptr<SerialPort>& port) {
    if (path != kPortName) return system(path, port);
    port = std::make_unique<SimulatedPort>(service_);
    return PortOpenResult{};
  };
}

void SimulatedPort::Purge() {
  // Only what has already arrived is dropped; bytes still on their way come in later.
  const int64_t now = SteadyNowNs();
  while (!incoming_.empty() && incoming_.front().at <= now) incoming_.pop_front();
}

bool SimulatedPort::Write(const uint8_t* data, size_t size) {
  const int64_t now = SteadyNowNs();
  std::vector<LineAnswer> answers;
  service_.Serve(true, line_, now, data, size, answers);
  const bool pace = service_.options().pace;
  for (const LineAnswer& answer : answers) {
    const int64_t byteNs = pace ? answer.ByteNs() : 0;
    int64_t at = std::max(now, answer.notBeforeNs);
    if (!incoming_.empty()) at = std::max(at, incoming_.back().at);
    for (uint8_t b : answer.bytes) incoming_.push_back({b, at += byteNs});
  }
  return true;
}

bool SimulatedPort::WaitUntil(int64_t at) const {
  const int64_t left = at - SteadyNowNs();
  if (left <= 0) return !StopRequested();
  if (stop_ == nullptr) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(left));
    return true;
  }
  return !stop_->WaitFor(left);
}

int SimulatedPort::Read(uint8_t* data, size_t size) {
  const int64_t total = timeouts_.TotalDeadlineNs(SteadyNowNs(), size);
  size_t got = 0;
  int64_t lastByte = 0;
  while (got < size) {
    const int64_t limit = timeouts_.NextByteDeadlineNs(total, got, lastByte);
    if (incoming_.empty() || incoming_.front().at > limit) {
      WaitUntil(limit);
      break;
    }
    if (!WaitUntil(incoming_.front().at)) break;
    const int64_t now = SteadyNowNs();
    while (got < size && !incoming_.empty() && incoming_.front().at <= now) {
      data[got++] = incoming_.front().byte;
      incoming_.pop_front();
    }
    lastByte = now;
  }
  return static_cast<int>(got);
}

}  // namespace ruvenset::sim
