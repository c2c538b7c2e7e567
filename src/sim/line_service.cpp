#include "sim/line_service.h"

#include "sim/sim_control.h"

namespace ruvenset::sim {
namespace {

constexpr int kHartSpeed = 1200;
constexpr int kHartBitsPerByte = 11;  // start, 8 data, parity, stop
constexpr int kBitsPerByte = 10;
constexpr int kHartResponsePreambles = 5;
constexpr int64_t kNsPerSecond = 1'000'000'000;

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

std::string LineService::CheckOptions(const SimOptions& options) {
  if (options.speed <= 0) return "the speed must be positive";
  if (options.address < 0 || options.address > 255) return "the address must be 0..255";
  if (options.pipelines < 1 || options.pipelines > kMaxPipelines)
    return "the number of pipelines must be 1.." + std::to_string(kMaxPipelines);
  for (double p : {options.drop, options.corrupt, options.wrongAddress, options.noise}) {
    if (!(p >= 0.0 && p <= 1.0)) return "fault probabilities must lie in 0..1";
  }
  return {};
}

LineService::LineService(const SimOptions& options)
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

std::string LineService::Control(const std::string& line, int64_t nowNs) {
  std::lock_guard<std::mutex> lock(mutex_);
  return RunControlCommand(line, model_, faults_, nowNs);
}

void LineService::Serve(bool mainLine, const LineSettings& line, int64_t nowNs, const uint8_t* bytes,
                        size_t size, std::vector<LineAnswer>& answers) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::vector<uint8_t>> frames;
  if (!mainLine) {
    if (ClassifyLine(line, -1, true) == LineMode::Hart) hartOnModem_.Feed(bytes, size, nowNs, frames);
    return ServeHart(frames, answers);
  }
  const LineMode mode = ClassifyLine(line, options_.speed, options_.hartOnSameLine);
  if (mode != lastMode_) {
    requests_.Reset();
    hartOnLine_.Reset();
    lastMode_ = mode;
  }
  if (mode == LineMode::Hart) {
    hartOnLine_.Feed(bytes, size, nowNs, frames);
    return ServeHart(frames, answers);
  }
  if (mode != LineMode::FlowComputer) return;
  requests_.Feed(bytes, size, nowNs, frames);
  // The request reaches a real flow computer only after its last byte has crossed the line.
  const int64_t requestEnd =
      nowNs + static_cast<int64_t>(size) * kBitsPerByte * kNsPerSecond / options_.speed;
  for (const auto& frame : frames) {
    LineAnswer answer{{}, options_.speed, kBitsPerByte, requestEnd};
    if (model_.HandleRequest(frame.data(), frame.size(), nowNs, answer.bytes) &&
        faults_.Apply(answer.bytes) && !faults_.Silenced(frame[3]))
      answers.push_back(std::move(answer));
  }
}

void LineService::ServeHart(const std::vector<std::vector<uint8_t>>& frames,
                            std::vector<LineAnswer>& answers) {
  for (const auto& frame : frames) {
    LineAnswer answer{{}, kHartSpeed, kHartBitsPerByte, 0};
    bool answered = false;
    for (HartTransmitterModel& t : references_) {
      if (t.Handle(frame.data(), frame.size(), model_.inputs(), answer.bytes)) {
        answered = true;
        break;
      }
    }
    if (!answered) continue;
    answer.bytes.insert(answer.bytes.begin(), kHartResponsePreambles, 0xFF);
    answers.push_back(std::move(answer));
  }
}

}  // namespace ruvenset::sim
