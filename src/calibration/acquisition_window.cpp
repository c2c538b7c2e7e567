#include "calibration/acquisition_window.h"

#include <cmath>
#include <cstdio>

#include "common/adaptive_format.h"
#include "common/unit_tables.h"
#include "device/exchange.h"
#include "verification/hart_frame.h"

namespace ruvenset {
namespace {

constexpr int kMarkersCommand = 0x1D;
constexpr int kMeasureCommand = 0x0C;
constexpr int64_t kConversionSettleNs = 350'000'000;
// A counter of 128 and above does not count conversions: every tick reads.
constexpr int kCounterLimit = 128;
// Counter bytes of command 0x1D: 6 + kind for the channels, 11 (12 on the differential-pressure board)
// for the ambient sensor.
constexpr int kChannelCounters = 6;
constexpr int kAmbientCounter = 11;
constexpr int kDifferentialAmbientCounter = 12;
// The 5-byte code blocks of the measurement reply: a 32-bit code and a validity byte.
constexpr int kChannelBlock = 2;
constexpr int kTemperatureBlock = 7;
constexpr int kAmbientBlock = 12;
constexpr int kBlocksEnd = 17;
// The measurement reply carries its codes most significant byte first whatever the flow computer's
// byte order, as the verification's reader of the same reply takes them.
constexpr DeviceByteOrder kReplyOrder = DeviceByteOrder::MsbFirst;

// Lines of the window.
constexpr int kLinkLine = 0;
constexpr int kChannelLine = 1;
constexpr int kCodeLine = 4;
constexpr int kCountLine = 5;
constexpr int kMeanLine = 6;
constexpr int kDeviationLine = 7;
constexpr int kLargestLine = 8;
constexpr int kSigmaLine = 9;
constexpr int kReferenceLine = 10;
constexpr int kReferenceMeanLine = 11;
constexpr int kPromptReadingLine = 7;
constexpr int kPromptUnitLine = 8;
constexpr int kPromptHartLine = 5;

std::string Printf(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

// A point code "%-8lu (0x%-x)" and an ambient code "%-5u (0x%-x)".
std::string PointCodeText(uint32_t code) {
  char text[64];
  std::snprintf(text, sizeof text, "%-8lu (0x%-x)", static_cast<unsigned long>(code),
                static_cast<unsigned>(code));
  return text;
}
std::string AmbientCodeText(uint32_t code) {
  char text[64];
  std::snprintf(text, sizeof text, "%-5u (0x%-x)", static_cast<unsigned>(code), static_cast<unsigned>(code));
  return text;
}
std::string MeanText(uint32_t mean) {
  char text[32];
  std::snprintf(text, sizeof text, "%-8lu", static_cast<unsigned long>(mean));
  return text;
}
std::string CountText(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%-3d", n);
  return text;
}

}  // namespace

TForm60Logic::TForm60Logic(ProgramState& state, Technician& technician, const AcquisitionSetup& setup)
    : state_(state), technician_(technician), setup_(setup) {}

std::vector<std::string> TForm60Logic::Labels() const {
  std::vector<std::string> labels(kAcquisitionLines);
  const bool ambient = setup_.mode == AcquisitionMode::Ambient;
  const bool hart = !ambient && setup_.hart != nullptr;
  const int kind = setup_.kind;
  labels[kLinkLine] = state_.Text(1455);
  labels[kChannelLine] = state_.Text(1457);
  labels[kCodeLine] = ambient                           ? state_.Text(3163)
                      : kind == kCalibrationPressure    ? state_.Text(1478)
                      : kind == kCalibrationTemperature ? state_.Text(1477)
                                                        : state_.Text(1488);
  if (setup_.statistics) {
    labels[3] = state_.Text(1460);
    for (int i = 0; i < 5; ++i) labels[static_cast<size_t>(kCountLine + i)] = state_.Text(1462 + i);
    if (hart) {
      labels[kReferenceLine] = state_.Text(kind == kCalibrationPressure ? 1485 : 1491);
      labels[kReferenceMeanLine] = state_.Text(kind == kCalibrationPressure ? 1486 : 1492);
    }
    return labels;
  }
  if (ambient) {
    labels[2] = state_.Text(3164);
  } else {
    labels[2] = kind == kCalibrationDifferential ? state_.Text(1489)
                                                 : state_.texts.FormatText(1475, {state_.Text(2143 + kind)});
    labels[3] = state_.texts.FormatText(1476, {setup_.pointNumber});
  }
  if (hart) labels[kPromptReadingLine] = state_.Text(kind == kCalibrationPressure ? 1487 : 1493);
  labels[kSigmaLine] = state_.Text(1458);
  return labels;
}

AcquisitionTick TForm60Logic::Snapshot(bool sampled) {
  tick_.sampled = sampled;
  tick_.codes = samples_.Codes();
  tick_.mean = samples_.mean();
  tick_.sigma = samples_.count() > 0 ? std::sqrt(samples_.sumOfSquares() / samples_.count()) : 0.0;
  return tick_;
}

bool TForm60Logic::NewConversion(int counterByte) {
  Request request;
  request.command = kMarkersCommand;
  request.answerData = counterByte + 1;
  if (Exchange(state_, technician_, request) != LinkOk) {
    line(kLinkLine) = state_.Text(2217);
    return false;
  }
  line(kLinkLine).clear();
  const int counter = state_.link.answer().data()[counterByte];
  if (counter < kCounterLimit && counter == lastCounter_) return false;
  lastCounter_ = counter;
  state_.link.clock().SleepFor(kConversionSettleNs);
  return true;
}

void TForm60Logic::PollReference() {
  HartLink* hart = setup_.hart;
  const int hartKind = setup_.kind == kCalibrationPressure ? 0 : 2;
  const int status = hart->Poll(hartKind);
  if (status != kHartOk) {
    const std::string failure = state_.Text(2218) + ",";
    if (setup_.statistics) {
      line(kReferenceLine) = failure;
      const int text = HartReadingErrorTextId(status);
      line(kReferenceMeanLine) = text != 0 ? state_.Text(text) : std::string();
    } else {
      line(kPromptHartLine) = failure;
    }
    return;
  }
  const ConnectionRecord& record = state_.record;
  const float factor = setup_.kind == kCalibrationPressure
                           ? HartPressureFactor(hart->unitCode(), record.pressureUnit())
                           : HartDiffPressureFactor(hart->unitCode(), record.diffPressureUnit());
  const float reading = hart->reading() * factor;
  if (!setup_.statistics) {
    line(kPromptHartLine).clear();
    line(kPromptReadingLine) = FormatAdaptive(reading);
    line(kPromptUnitLine) = setup_.referenceUnit;
    return;
  }
  references_.Add(reading);
  line(kReferenceLine) = FormatAdaptive(reading) + " " + setup_.referenceUnit;
  line(kReferenceMeanLine) = FormatAdaptive(references_.mean()) + " " + setup_.referenceUnit;
}

bool TForm60Logic::Measure(bool askOnRefusal) {
  for (;;) {
    Request request;
    request.writeRequest = 1;
    request.command = kMeasureCommand;
    request.data = {static_cast<uint8_t>(setup_.pipeline), static_cast<uint8_t>(setup_.channelSelector)};
    request.answerData = kBlocksEnd;
    const LinkStatus status = Exchange(state_, technician_, request);
    const bool refused = status == LinkOk && IsRefusal(state_, kMeasureCommand);
    if (status == LinkOk && !refused) return true;
    line(kChannelLine).clear();
    if (setup_.hart != nullptr && setup_.mode == AcquisitionMode::Point) {
      line(kReferenceLine).clear();
      line(kReferenceMeanLine).clear();
    }
    if (status != LinkOk) {
      line(kLinkLine) = state_.Text(2217);
      return false;
    }
    const std::span<const uint8_t> answer = state_.link.answer().data();
    line(kLinkLine) = state_.texts.FormatText(2996, {answer.empty() ? 0 : answer[0]});
    if (!askOnRefusal || !technician_.Confirm("", state_.Text(2191))) return false;
  }
}

void TForm60Logic::ShowStatistics(int32_t code, double fullScale, double deviationScale) {
  samples_.Add(code, fullScale);
  line(kCountLine) = CountText(samples_.count());
  line(kMeanLine) = MeanText(samples_.mean());
  line(kDeviationLine) = Printf("%.4g", samples_.newestDeviation() * deviationScale);
  line(kLargestLine) = Printf("%.4g", samples_.largestDeviation() * deviationScale);
  line(kSigmaLine) = Printf("%.4g", samples_.threeSigma());
}

AcquisitionTick TForm60Logic::Timer2Timer() {
  if (!NewConversion(kChannelCounters + setup_.kind)) return Snapshot(false);
  if (setup_.hart != nullptr) PollReference();
  if (!Measure(false)) return Snapshot(false);
  const uint8_t* data = state_.link.answer().data().data();
  const int block = setup_.kind == kCalibrationTemperature ? kTemperatureBlock : kChannelBlock;
  if (data[block + 4] == 0) {
    tick_.lines = {};
    line(kChannelLine) = state_.Text(2218);
    return Snapshot(false);
  }
  line(kChannelLine).clear();
  const uint32_t code = DeviceLongAt(data + block, kReplyOrder);
  line(kCodeLine) = PointCodeText(code);
  if (!setup_.statistics) return Snapshot(false);
  ShowStatistics(static_cast<int32_t>(code), kPointFullScale, 300.0 / kPointFullScale);
  return Snapshot(true);
}

AcquisitionTick TForm60Logic::Timer1Timer() {
  const int counter =
      setup_.channelSelector == kCalibrationDifferential ? kDifferentialAmbientCounter : kAmbientCounter;
  if (!NewConversion(counter)) return Snapshot(false);
  if (!Measure(true)) return Snapshot(false);
  const uint8_t* data = state_.link.answer().data().data();
  if (data[kAmbientBlock + 4] == 0) {
    tick_.lines = {};
    line(kChannelLine) = state_.Text(2218);
    return Snapshot(false);
  }
  line(kChannelLine).clear();
  const uint32_t code = (DeviceLongAt(data + kAmbientBlock, kReplyOrder) >> 8) & 0xFFFF;
  line(kCodeLine) = AmbientCodeText(code);
  if (!setup_.statistics) return Snapshot(false);
  ShowStatistics(static_cast<int32_t>(code), kAmbientFullScale, 100.0 / kAmbientFullScale);
  return Snapshot(true);
}

AcquisitionTick TForm60Logic::BitBtn2Click() {
  samples_.Reset();
  references_.Reset();
  return Snapshot(false);
}

}  // namespace ruvenset
