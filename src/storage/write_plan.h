#pragma once
#include <cstdint>
#include <vector>

#include "session/calibration_image.h"
#include "session/device_memory_mirror.h"
#include "storage/write_back_checks.h"

namespace ruvenset {

// What a write request carries (request byte 24).
enum class RecordKind : uint8_t {
  TosDirectory = 0,
  TableHeader = 1,
  SegmentRecords = 2,
  ChannelParameters = 3,
  Units = 4,
  TosSegmentTable = 5,
  TosSegmentRecords = 6,
  CharacteristicConstants = 7,
  CorrectionHeader = 8,
  MeasurementParameters = 9,
};

// Segment records travel in groups whose data stay below 128 bytes: at most 12 records.
inline constexpr int kMaxRecordsPerWrite = 127 / 10;

// One write request of the sequence: data bytes for memory address, with the record kind, the table
// number (0 where there is none) and the number of the first segment record carried (0 likewise).
struct WriteStep {
  RecordKind kind = RecordKind::TosDirectory;
  uint8_t table = 0;
  uint8_t firstRecord = 0;
  uint16_t address = 0;
  std::vector<uint8_t> data;
};

// The whole sequence for one section; channelCode goes to request byte 5. An empty list writes nothing.
struct WritePlan {
  uint8_t channelCode = 0;
  std::vector<WriteStep> steps;
};

// Converts the section into the flow computer's tables, checks the converted tables and the blocks
// read fresh from the flow computer (fresh must hold the blocks of FreshBlockReads), merges the
// channel's settings from the image into the fresh shared blocks with new check bytes, and lists the
// writes in their order. Run ValidateForDevice first. On success mirror holds everything the plan
// writes; on failure neither mirror nor plan changes. Model 20 has no differential-pressure channel:
// its plan for that section is empty.
WriteBackCheck PlanWriteBack(const CalibrationImage& image, CalibrationSection section,
                             const WriteBackTarget& target, const DeviceMemoryMirror& fresh,
                             DeviceMemoryMirror& mirror, WritePlan& plan);

// What a plan stores: the tables (the Тос-level table of a channel, each point table, the correction
// table) and the segment records they hold.
struct PlanTally {
  int tables = 0;
  int records = 0;
};
PlanTally TallyPlan(const WritePlan& plan);

// The bytes of a 9-byte ADC channel parameter block that belong to the channel on the given model.
std::vector<int> ChannelParameterBytes(CalibrationSection section, uint8_t model);

}  // namespace ruvenset
