#include "storage/write_back_checks.h"

#include "common/device_models.h"

#include <algorithm>

#include "storage/canonical_order.h"
#include "storage/device_segments.h"

namespace ruvenset {
namespace {

using Status = WriteBackStatus;
constexpr int kChannelNameText = 2143;  // + selector
constexpr int kMeterNameText = 1214;
constexpr float kLowestMultiplier = 0.95f;
constexpr float kHighestMultiplier = 1.05f;

bool HasMeasurementBlock(uint8_t model) {
  return ModelOf(model).measurementBlock;
}

WriteBackCheck Fail(Status status, CalibrationSection section, int index = 0, int table = 0) {
  return {status, section, index, table};
}

WriteBackCheck ValidateChannel(ConstChannelSection channel, CalibrationSection section) {
  for (int k = 0; k < channel.UsedTosPoints(); ++k) {
    for (int i = 0; i < channel.UsedPoints(k); ++i) {
      const uint32_t code = static_cast<uint32_t>(channel.PointCode(k, i));
      if (code > kMaxPointCode) return Fail(Status::PointCodeTooWide, section, i + 1, k + 1);
      if (i == 0) continue;
      if (static_cast<uint32_t>(channel.PointCode(k, i - 1)) >= code) {
        return Fail(Status::PointCodesNotIncreasing, section, i + 1, k + 1);
      }
      if (!(channel.PointValue(k, i - 1) < channel.PointValue(k, i))) {
        return Fail(Status::PointValuesNotIncreasing, section, i + 1, k + 1);
      }
    }
  }
  return {};
}

WriteBackCheck ValidateCorrection(const CalibrationImage& image, float upperFlowLimit) {
  const CalibrationSection section = CalibrationSection::CorrectionMultipliers;
  for (int i = 0; i < image.UsedCorrectionPoints(); ++i) {
    const float flow = image.CorrectionFlow(i);
    const float multiplier = image.CorrectionMultiplier(i);
    if (!(flow <= upperFlowLimit)) return Fail(Status::FlowAboveUpperLimit, section, i + 1);
    if (multiplier > kHighestMultiplier) return Fail(Status::MultiplierTooHigh, section, i + 1);
    if (!(multiplier >= kLowestMultiplier)) return Fail(Status::MultiplierTooLow, section, i + 1);
    if (i > 0 && !(flow > image.CorrectionFlow(i - 1)))
      return Fail(Status::FlowsNotIncreasing, section, i + 1);
  }
  return {};
}

// Check bytes of a header of count codes of codeSize bytes each.
bool HeaderIntact(const DeviceMemoryMirror& mirror, uint32_t address, int count, int codeSize) {
  return mirror.BlockIntact(address, 1 + static_cast<size_t>(codeSize * count));
}

bool RecordIntact(const DeviceMemoryMirror& mirror, uint32_t address) {
  return mirror.BlockIntact(address, 8);
}

uint8_t CountByte(const DeviceMemoryMirror& mirror, uint32_t address) {
  uint8_t count = 0xFF;
  mirror.Load(address, &count, 1);
  return count;
}

WriteBackCheck CheckChannelTables(const DeviceMemoryMirror& mirror, CalibrationSection section,
                                  const WriteBackTarget& target) {
  const DeviceChannelTables& t = DeviceTablesOf(section);
  const bool singleTos = section == CalibrationSection::Temperature && ModelOf(target.model).singleTos;
  const int tosPoints = singleTos ? 1 : CountByte(mirror, t.tosDirectory);
  const int tosSegments = t.hasTosSegments ? CountByte(mirror, t.tosSegmentTable) : 0;
  if (tosPoints == 0) return Fail(Status::NoTosPoints, section);
  if (tosPoints > t.maxTosPoints) return Fail(Status::TooManyTosPoints, section);
  if (tosSegments > t.maxTosSegments) return Fail(Status::TooManyTosSegments, section);
  for (int k = 0; k < tosPoints; ++k) {
    if (CountByte(mirror, TableAddress(t, k)) > t.maxSegments)
      return Fail(Status::TableCountTooHigh, section);
  }
  if (t.hasTosSegments) {
    if (!HeaderIntact(mirror, t.tosSegmentTable, tosSegments, 3))
      return Fail(Status::TosSegmentTableCheck, section);
    for (int j = 0; j < tosSegments; ++j) {
      if (!RecordIntact(mirror, t.tosSegmentRecords + kSegmentRecordSize * j)) {
        return Fail(Status::TosSegmentRecordCheck, section, j);
      }
    }
  }
  if (section == CalibrationSection::Pressure && !HeaderIntact(mirror, t.tosDirectory, tosPoints, 2)) {
    return Fail(Status::TosDirectoryCheck, section);
  }
  for (int k = 0; k < tosPoints; ++k) {
    if (!HeaderIntact(mirror, TableAddress(t, k), CountByte(mirror, TableAddress(t, k)), 3)) {
      return Fail(Status::TableHeaderCheck, section, 0, k);
    }
  }
  for (int k = 0; k < tosPoints; ++k) {
    const uint32_t records = TableAddress(t, k) + t.recordsOffset;
    for (int j = 0; j < CountByte(mirror, TableAddress(t, k)); ++j) {
      if (!RecordIntact(mirror, records + kSegmentRecordSize * j)) {
        return Fail(Status::TableRecordCheck, section, j, k);
      }
    }
  }
  return {};
}

WriteBackCheck CheckCorrectionTables(const DeviceMemoryMirror& mirror) {
  const CalibrationSection section = CalibrationSection::CorrectionMultipliers;
  const int segments = CountByte(mirror, kCorrectionHeader);
  if (segments > kCorrectionMaxSegments) return Fail(Status::TooManyCorrectionSegments, section);
  if (!HeaderIntact(mirror, kCorrectionHeader, segments, 4))
    return Fail(Status::CorrectionHeaderCheck, section);
  for (int j = 0; j < segments; ++j) {
    if (!RecordIntact(mirror, kCorrectionRecords + kSegmentRecordSize * j)) {
      return Fail(Status::CorrectionRecordCheck, section, j);
    }
  }
  return {};
}

TextMessage Message(int textId) {
  return {textId, {}};
}
TextMessage Message(int textId, int64_t number) {
  return {textId, {TextArgument::Of(number)}};
}

// Picks the text of a check that exists for several channels (0 where the channel has none).
int BySection(CalibrationSection s, int pressure, int temperature, int differential) {
  if (s == CalibrationSection::Pressure) return pressure;
  return s == CalibrationSection::Temperature ? temperature : differential;
}

}  // namespace

uint32_t DeviceIdentificationCode(const uint8_t* bytes, DeviceByteOrder order) {
  if (order == DeviceByteOrder::LsbFirst) return LoadLe32(bytes);
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

WriteBackCheck ValidateForDevice(const CalibrationImage& image, CalibrationSection section,
                                 float upperFlowLimit) {
  if (!IsChannelSection(section)) return ValidateCorrection(image, upperFlowLimit);
  return ValidateChannel(image.Channel(section), section);
}

WriteBackCheck CheckDeviceTables(const DeviceMemoryMirror& mirror, CalibrationSection section,
                                 const WriteBackTarget& target) {
  if (section == CalibrationSection::DifferentialPressure && ModelOf(target.model).noAdcBlocks) return {};
  if (!IsChannelSection(section)) return CheckCorrectionTables(mirror);
  return CheckChannelTables(mirror, section, target);
}

std::vector<MemoryBlock> FreshBlockReads(CalibrationSection section, const WriteBackTarget& target) {
  const bool differential = section == CalibrationSection::DifferentialPressure;
  if (differential && ModelOf(target.model).noAdcBlocks) return {};
  std::vector<MemoryBlock> reads;
  if (!ModelOf(target.model).noAdcBlocks) reads.push_back({kMainAdcBlock, kAdcBlockData});
  reads.push_back({kUnitsBlock, kUnitsBlockData});
  if ((section == CalibrationSection::Pressure || differential) && target.softwareVersion > 19) {
    reads.push_back({kConstantsBlock, kConstantsBlockData});
  }
  if (HasMeasurementBlock(target.model)) reads.push_back({kMeasurementBlock, kMeasurementBlockData});
  if (differential) reads.push_back({kSecondAdcBlock, kAdcBlockData});
  return reads;
}

WriteBackCheck CheckFreshBlocks(const DeviceMemoryMirror& fresh, CalibrationSection section,
                                const WriteBackTarget& target) {
  struct Rule {
    uint16_t address;
    Status status;
  };
  static constexpr Rule kOrder[] = {{kMainAdcBlock, Status::ChannelParameterBlockCheck},
                                    {kSecondAdcBlock, Status::ChannelParameterBlockCheck},
                                    {kUnitsBlock, Status::UnitsBlockCheck},
                                    {kConstantsBlock, Status::ConstantsBlockCheck},
                                    {kMeasurementBlock, Status::MeasurementBlockCheck}};
  const std::vector<MemoryBlock> reads = FreshBlockReads(section, target);
  for (const Rule& rule : kOrder) {
    const auto block = std::find_if(reads.begin(), reads.end(),
                                    [&](const MemoryBlock& b) { return b.address == rule.address; });
    if (block != reads.end() && !fresh.BlockIntact(block->address, block->dataSize))
      return Fail(rule.status, section);
  }
  return {};
}

TextMessage WriteBackMessage(const WriteBackCheck& check) {
  const CalibrationSection s = check.section;
  const auto pointMessage = [&](int textId) {
    return TextMessage{textId,
                       {TextArgument::Text(kChannelNameText + static_cast<int>(s)),
                        TextArgument::Of(int64_t{check.index}), TextArgument::Of(int64_t{check.table})}};
  };
  switch (check.status) {
    case Status::Ok:
      return {};
    case Status::PointCodeTooWide:
      return pointMessage(1159);
    case Status::PointCodesNotIncreasing:
      return pointMessage(1160);
    case Status::PointValuesNotIncreasing:
      return pointMessage(1161);
    case Status::FlowAboveUpperLimit:
      return {1221, {TextArgument::Text(kMeterNameText), TextArgument::Of(int64_t{check.index})}};
    case Status::FlowsNotIncreasing:
      return Message(1222);
    case Status::MultiplierTooHigh:
      return Message(1223, check.index);
    case Status::MultiplierTooLow:
      return Message(1224, check.index);
    case Status::NoTosPoints:
      if (s == CalibrationSection::Pressure) return {1150, {TextArgument::Text(kChannelNameText)}};
      return s == CalibrationSection::Temperature ? Message(1171, 0) : Message(1201);
    case Status::TooManyTosPoints:
      return Message(BySection(s, 1169, 1172, 1196), s == CalibrationSection::Temperature ? 5 : 11);
    case Status::TooManyTosSegments:
      return Message(BySection(s, 1167, 0, 1203), 10);
    case Status::TableCountTooHigh:
      return Message(BySection(s, 1170, 1173, 1202), s == CalibrationSection::Temperature ? 10 : 24);
    case Status::TosSegmentTableCheck:
      return Message(BySection(s, 3009, 0, 3020));
    case Status::TosSegmentRecordCheck:
      return Message(BySection(s, 3010, 0, 3021), check.index);
    case Status::TosDirectoryCheck:
      return Message(3023);
    case Status::TableHeaderCheck:
      return Message(BySection(s, 3011, 3015, 3011), check.table);
    case Status::TableRecordCheck:
      return {BySection(s, 3012, 3016, 3012),
              {TextArgument::Of(int64_t{check.index}), TextArgument::Of(int64_t{check.table})}};
    case Status::TooManyCorrectionSegments:
      return Message(1225, kCorrectionMaxSegments);
    case Status::CorrectionHeaderCheck:
      return Message(1226);
    case Status::CorrectionRecordCheck:
      return Message(1227);
    case Status::ChannelParameterBlockCheck:
      return Message(3013);
    case Status::UnitsBlockCheck:
      return Message(3014);
    case Status::ConstantsBlockCheck:
      return Message(3022);
    case Status::MeasurementBlockCheck:
      return Message(1205);
  }
  return {};
}

}  // namespace ruvenset
