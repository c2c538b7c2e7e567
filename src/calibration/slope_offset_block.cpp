#include "calibration/slope_offset_block.h"

#include <cstdio>
#include <cstring>

#include "common/crc16.h"
#include "device/exchange.h"
#include "device/service_operations.h"

namespace ruvenset {
namespace {

constexpr int kWriteLength = 29 + kConstantsBlockSize;
constexpr uint8_t kConstantsRecordKind = 7;
constexpr int kSensorKinds = 100;  // configuration data byte 100 + pipeline index
constexpr uint8_t kNoDiffPressureSensor = 0x80;

// Texts 2925, 2935, 2936 and 2937 take the value with "%g".
std::string Line(const ProgramState& state, int text, float value, const std::string* unit = nullptr) {
  if (unit != nullptr) return state.texts.FormatText(text, {static_cast<double>(value), *unit});
  return state.texts.FormatText(text, {static_cast<double>(value)});
}

std::string UnitText(const ProgramState& state, int first, int unitCode) {
  return state.Text(first + (unitCode >= 0 && unitCode <= 1 ? unitCode : 0));
}

}  // namespace

void ConstantsBlock::Seal() {
  StoreCrc16(bytes.data(), kConstantsCovered);
}

bool AcceptConstantsBlock(const uint8_t* data, int size, ConstantsBlock& out) {
  if (size < kConstantsBlockSize || !Crc16Matches(data, kConstantsCovered)) return false;
  std::memcpy(out.bytes.data(), data, kConstantsBlockSize);
  return true;
}

ConstantsRead ReadConstantsBlock(ProgramState& state, Technician& technician, ConstantsBlock& out) {
  std::vector<uint8_t> data;
  if (!ReadCharacteristicConstants(state, technician, data)) return ConstantsRead::Abandoned;
  if (!AcceptConstantsBlock(data.data(), static_cast<int>(data.size()), out)) return ConstantsRead::Damaged;
  return ConstantsRead::Ok;
}

int ZeroOffsetAt(int version, int channelCode) {
  if (version < 20) return kDiffPressureOffsetAt;
  return channelCode == 0 ? kPressureOffsetAt : kDiffPressureOffsetAt;
}

ConstantsWrite WriteConstantsBlock(ProgramState& state, Technician& technician, int channelCode, int address,
                                   const ConstantsBlock& block, const std::string& progressText) {
  const ConnectionRecord& record = state.record;
  Request request;
  request.writeRequest = 1;
  request.command = 0x14;
  request.progressText = progressText;
  request.data.assign(kWriteLength - 6, 0);
  uint8_t* data = request.data.data();
  data[0] = 1;
  data[1] = static_cast<uint8_t>(channelCode);
  std::memcpy(data + 2, record.writePassword, kPasswordSize);
  StoreDeviceWord(data + 18, static_cast<uint16_t>(address), record.id.byteOrder);
  data[20] = kConstantsRecordKind;
  data[21] = 0;
  data[22] = 0;
  std::memcpy(data + 23, block.bytes.data(), kConstantsBlockSize);
  switch (WriteWithRetry(state, technician, request)) {
    case ExchangeResult::Ok:
      return ConstantsWrite::Written;
    case ExchangeResult::Refused:
      return ConstantsWrite::Refused;
    default:
      return ConstantsWrite::Abandoned;
  }
}

std::vector<std::string> SlopeOffsetLines(const ProgramState& state, const ConstantsBlock& block) {
  const ConnectionRecord& record = state.record;
  const DeviceByteOrder order = record.id.byteOrder;
  const std::string diffUnit = UnitText(state, 2155, record.diffPressureUnit());
  std::vector<std::string> lines;
  if (record.id.version < 20) {
    lines.push_back(Line(state, 2925, block.At(kDiffPressureOffsetAt, order), &diffUnit));
    return lines;
  }
  const std::string pressureUnit = UnitText(state, 2168, record.pressureUnit());
  lines.push_back(Line(state, 2936, block.At(kPressureSlopeAt, order)));
  lines.push_back(Line(state, 2935, block.At(kPressureOffsetAt, order), &pressureUnit));
  const int p = record.currentPipeline - 1;
  const uint8_t kinds = kSensorKinds + p < kConfigurationSize ? record.configuration[kSensorKinds + p] : 0;
  if (!(kinds & kNoDiffPressureSensor)) {
    lines.push_back(Line(state, 2937, block.At(kDiffPressureSlopeAt, order)));
    lines.push_back(Line(state, 2925, block.At(kDiffPressureOffsetAt, order), &diffUnit));
  }
  return lines;
}

SlopeOffsetResult ShowSlopeAndOffset(ProgramState& state, Technician& technician, ValuePrompts& prompts) {
  ConstantsBlock block;
  switch (ReadConstantsBlock(state, technician, block)) {
    case ConstantsRead::Ok:
      prompts.ShowInformation(state.Text(2934), SlopeOffsetLines(state, block));
      return SlopeOffsetResult::Shown;
    case ConstantsRead::Damaged:
      technician.ShowMessageWindow(state.Text(2934), state.Text(3240), state.Text(2278));
      return SlopeOffsetResult::NotRead;
    case ConstantsRead::Abandoned:
      break;
  }
  return SlopeOffsetResult::NotRead;
}

}  // namespace ruvenset
