#include "storage/write_plan.h"

#include "common/device_models.h"

#include <algorithm>

#include "common/crc16.h"
#include "storage/canonical_order.h"
#include "storage/device_segments.h"
#include "storage/device_tables.h"

namespace ruvenset {
namespace {

bool SplitAdcModel(uint8_t model) {
  return ModelOf(model).splitAdcBlocks;
}

// Builds the steps from the converted tables in a mirror and the fresh shared blocks.
class PlanBuilder {
 public:
  PlanBuilder(const DeviceMemoryMirror& tables, WritePlan& plan) : tables_(tables), plan_(plan) {}

  int Count(uint32_t address) const {
    uint8_t count = 0;
    tables_.Load(address, &count, 1);
    return count;
  }

  void Header(RecordKind kind, int table, uint32_t address, int count, int codeSize) {
    Add(kind, table, 0, address, 1 + static_cast<size_t>(codeSize * count) + 2);
  }

  void Records(RecordKind kind, int table, uint32_t address, int count) {
    for (int s = 0; s < count; s += kMaxRecordsPerWrite) {
      const int n = std::min(kMaxRecordsPerWrite, count - s);
      Add(kind, table, s, address + kSegmentRecordSize * s, static_cast<size_t>(kSegmentRecordSize * n));
    }
  }

  void ChannelTables(CalibrationSection section, bool singleTos) {
    const DeviceChannelTables& t = DeviceTablesOf(section);
    if (t.hasTosSegments) {
      const int segments = Count(t.tosSegmentTable);
      Header(RecordKind::TosSegmentTable, 0, t.tosSegmentTable, segments, 3);
      Records(RecordKind::TosSegmentRecords, 0, t.tosSegmentRecords, segments);
    }
    const int tosPoints = singleTos ? 1 : Count(t.tosDirectory);
    if (!singleTos) Header(RecordKind::TosDirectory, 0, t.tosDirectory, tosPoints, 2);
    for (int k = 0; k < tosPoints; ++k) {
      const uint32_t header = TableAddress(t, k);
      const int segments = Count(header);
      Header(RecordKind::TableHeader, k, header, segments, 3);
      Records(RecordKind::SegmentRecords, k, header + t.recordsOffset, segments);
    }
  }

  void CorrectionTables() {
    const int segments = Count(kCorrectionHeader);
    Header(RecordKind::CorrectionHeader, 0, kCorrectionHeader, segments, 4);
    Records(RecordKind::SegmentRecords, 0, kCorrectionRecords, segments);
  }

  void Block(RecordKind kind, uint16_t address, std::vector<uint8_t> data) {
    plan_.steps.push_back({kind, 0, 0, address, std::move(data)});
  }

 private:
  void Add(RecordKind kind, int table, int firstRecord, uint32_t address, size_t size) {
    WriteStep step{kind, static_cast<uint8_t>(table), static_cast<uint8_t>(firstRecord),
                   static_cast<uint16_t>(address), std::vector<uint8_t>(size)};
    tables_.Load(address, step.data.data(), size);
    plan_.steps.push_back(std::move(step));
  }

  const DeviceMemoryMirror& tables_;
  WritePlan& plan_;
};

std::vector<uint8_t> FreshBlock(const DeviceMemoryMirror& fresh, uint16_t address, uint16_t dataSize) {
  std::vector<uint8_t> block(dataSize + 2u);
  fresh.Load(address, block.data(), block.size());
  return block;
}

std::vector<uint8_t> Sealed(std::vector<uint8_t> block) {
  StoreCrc16(block.data(), block.size() - 2);
  return block;
}

std::vector<uint8_t> MergedAdcBlock(const CalibrationImage& image, CalibrationSection section, uint8_t model,
                                    const DeviceMemoryMirror& fresh, uint16_t address) {
  std::vector<uint8_t> block = FreshBlock(fresh, address, kAdcBlockData);
  for (int b : ChannelParameterBytes(section, model)) block[b] = image.AdcParameters(section)[b];
  return Sealed(std::move(block));
}

std::vector<uint8_t> MergedUnitsBlock(const CalibrationImage& image, CalibrationSection section,
                                      const DeviceMemoryMirror& fresh) {
  std::vector<uint8_t> block = FreshBlock(fresh, kUnitsBlock, kUnitsBlockData);
  block[section == CalibrationSection::Pressure ? 0 : 2] = image.UnitCode(section);
  return Sealed(std::move(block));
}

std::vector<uint8_t> MergedConstantsBlock(const CalibrationImage& image, CalibrationSection section,
                                          DeviceByteOrder order, const DeviceMemoryMirror& fresh) {
  std::vector<uint8_t> block = FreshBlock(fresh, kConstantsBlock, kConstantsBlockData);
  const size_t at = section == CalibrationSection::Pressure ? 0 : 8;
  StoreDeviceFloat(block.data() + at, image.CharacteristicOffset(section), order);
  StoreDeviceFloat(block.data() + at + 4, image.CharacteristicSlope(section), order);
  return Sealed(std::move(block));
}

// The channel's pause and number of conversions from the image, put into the device's slot for it.
std::vector<uint8_t> MergedMeasurementBlock(const CalibrationImage& image, CalibrationSection section,
                                            int slot, DeviceByteOrder order,
                                            const DeviceMemoryMirror& fresh) {
  std::vector<uint8_t> block = FreshBlock(fresh, kMeasurementBlock, kMeasurementBlockData);
  const int channel = static_cast<int>(section);
  StoreDeviceWord(block.data() + 2 * slot, image.MeasurementPause(channel), order);
  block[10 + static_cast<size_t>(slot)] = image.ConversionCount(channel);
  return Sealed(std::move(block));
}

// Slot of the channel in the measurement parameters block, or -1 when the model has none for it.
int MeasurementSlot(CalibrationSection section, uint8_t model) {
  if (model != 18 && model != 20) return -1;
  switch (section) {
    case CalibrationSection::Pressure:
      return 0;
    case CalibrationSection::Temperature:
      return model == 18 ? 1 : 0;
    case CalibrationSection::DifferentialPressure:
      return model == 18 ? 2 : -1;
    default:
      return -1;
  }
}

void AddSharedBlocks(const CalibrationImage& image, CalibrationSection section, const WriteBackTarget& target,
                     const DeviceMemoryMirror& fresh, const DeviceMemoryMirror& before,
                     PlanBuilder& builder) {
  const bool differential = section == CalibrationSection::DifferentialPressure;
  const bool newConstants = target.softwareVersion > 19;
  if (!ModelOf(target.model).noAdcBlocks) {
    const uint16_t address = differential ? kSecondAdcBlock : kMainAdcBlock;
    builder.Block(RecordKind::ChannelParameters, address,
                  MergedAdcBlock(image, section, target.model, fresh, address));
  }
  if (section != CalibrationSection::Temperature) {
    builder.Block(RecordKind::Units, kUnitsBlock, MergedUnitsBlock(image, section, fresh));
    if (newConstants) {
      builder.Block(RecordKind::CharacteristicConstants, kConstantsBlock,
                    MergedConstantsBlock(image, section, target.byteOrder, fresh));
    } else if (differential && before.BlockIntact(kConstantsBlock, kConstantsBlockData)) {
      // Older versions get the constants back as the program last knew them, never unknown bytes.
      builder.Block(RecordKind::CharacteristicConstants, kConstantsBlock,
                    FreshBlock(before, kConstantsBlock, kConstantsBlockData));
    }
  }
  const int slot = MeasurementSlot(section, target.model);
  if (slot >= 0) {
    builder.Block(RecordKind::MeasurementParameters, kMeasurementBlock,
                  MergedMeasurementBlock(image, section, slot, target.byteOrder, fresh));
  }
}

}  // namespace

PlanTally TallyPlan(const WritePlan& plan) {
  PlanTally tally;
  for (const WriteStep& step : plan.steps) {
    switch (step.kind) {
      case RecordKind::TosSegmentTable:
      case RecordKind::TableHeader:
      case RecordKind::CorrectionHeader:
        ++tally.tables;
        break;
      case RecordKind::TosSegmentRecords:
      case RecordKind::SegmentRecords:
        tally.records += static_cast<int>(step.data.size() / kSegmentRecordSize);
        break;
      default:
        break;
    }
  }
  return tally;
}

std::vector<int> ChannelParameterBytes(CalibrationSection section, uint8_t model) {
  switch (section) {
    case CalibrationSection::Pressure:
    case CalibrationSection::DifferentialPressure:
      if (ModelOf(model).singleTos && section == CalibrationSection::Pressure) return {};
      if (SplitAdcModel(model)) return {0, 2, 3, 5};
      return {0, 1, 2, 6, 7, 8};
    case CalibrationSection::Temperature:
      if (SplitAdcModel(model)) return {1, 4};
      if (ModelOf(model).singleTos) return {0, 1};
      return {3, 4, 5};
    default:
      return {};
  }
}

WriteBackCheck PlanWriteBack(const CalibrationImage& image, CalibrationSection section,
                             const WriteBackTarget& target, const DeviceMemoryMirror& fresh,
                             DeviceMemoryMirror& mirror, WritePlan& plan) {
  WritePlan built;
  built.channelCode = static_cast<uint8_t>(section);
  if (section == CalibrationSection::DifferentialPressure && ModelOf(target.model).noAdcBlocks) {
    plan = built;
    return {};
  }
  DeviceMemoryMirror scratch = mirror;
  ConvertSectionTables(image, section, target.model, target.byteOrder, scratch);
  WriteBackCheck check = CheckDeviceTables(scratch, section, target);
  if (check.Ok()) check = CheckFreshBlocks(fresh, section, target);
  if (!check.Ok()) return check;

  PlanBuilder builder(scratch, built);
  if (IsChannelSection(section)) {
    builder.ChannelTables(section,
                          section == CalibrationSection::Temperature && ModelOf(target.model).singleTos);
    AddSharedBlocks(image, section, target, fresh, mirror, builder);
  } else {
    builder.CorrectionTables();
  }
  for (const WriteStep& step : built.steps) scratch.Store(step.address, step.data.data(), step.data.size());
  mirror = std::move(scratch);
  plan = std::move(built);
  return {};
}

}  // namespace ruvenset
