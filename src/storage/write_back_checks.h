#pragma once
#include <cstdint>
#include <vector>

#include "common/byte_order.h"
#include "session/calibration_image.h"
#include "session/device_memory_mirror.h"
#include "storage/text_message.h"

namespace ruvenset {

// The flow computer the calibration is stored into, as its identification told.
struct WriteBackTarget {
  uint8_t model = 0;
  uint8_t softwareVersion = 0;
  DeviceByteOrder byteOrder = DeviceByteOrder::MsbFirst;
};

// The identification code the flow computer holds at memory address 4320 (the 4 bytes as read, in its
// byte order); the write-back refuses an image whose IdentificationCode() differs.
uint32_t DeviceIdentificationCode(const uint8_t* bytes, DeviceByteOrder order);

// Why a section may not be stored. The message depends on the section as well (WriteBackMessage).
enum class WriteBackStatus : uint8_t {
  Ok = 0,
  // Checks of the section in the image.
  PointCodeTooWide,          // 1159: channel name, point, Тос point (from 1)
  PointCodesNotIncreasing,   // 1160: same arguments
  PointValuesNotIncreasing,  // 1161: same arguments
  FlowAboveUpperLimit,       // 1221: meter name, point (from 1)
  FlowsNotIncreasing,        // 1222
  MultiplierTooHigh,         // 1223: point (from 1)
  MultiplierTooLow,          // 1224: point (from 1)
  // Checks of the converted tables.
  NoTosPoints,                // 1150 pressure (channel name), 1171 temperature (0), 1201 differential
  TooManyTosPoints,           // 1169 (11) pressure, 1172 (5) temperature, 1196 (11) differential
  TooManyTosSegments,         // 1167 (10) pressure, 1203 (10) differential
  TableCountTooHigh,          // 1170 (24) pressure, 1173 (10) temperature, 1202 (24) differential
  TosSegmentTableCheck,       // 3009 pressure, 3020 differential
  TosSegmentRecordCheck,      // 3010 pressure, 3021 differential: record j
  TosDirectoryCheck,          // 3023
  TableHeaderCheck,           // 3011 pressure and differential, 3015 temperature: table k
  TableRecordCheck,           // 3012 pressure and differential, 3016 temperature: record j, table k
  TooManyCorrectionSegments,  // 1225 (32)
  CorrectionHeaderCheck,      // 1226
  CorrectionRecordCheck,      // 1227
  // Checks of the shared blocks read fresh from the flow computer.
  ChannelParameterBlockCheck,  // 3013 (block 4301, or 7947 for differential pressure)
  UnitsBlockCheck,             // 3014
  ConstantsBlockCheck,         // 3022
  MeasurementBlockCheck,       // 1205
};

struct WriteBackCheck {
  WriteBackStatus status = WriteBackStatus::Ok;
  CalibrationSection section = CalibrationSection::Pressure;
  int index = 0;  // point i (from 1) of the image checks; record j (from 0) of the table checks
  int table = 0;  // Тос point k (from 1) of the image checks; table k (from 0) of the table checks

  bool Ok() const { return status == WriteBackStatus::Ok; }
};

TextMessage WriteBackMessage(const WriteBackCheck& check);

// The section's plausibility before conversion: every used point's code within 24 bits, codes and
// values strictly increasing within every table; correction flow values within the upper flow limit
// and strictly increasing, multipliers within 0.95 .. 1.05. NaN values never pass.
WriteBackCheck ValidateForDevice(const CalibrationImage& image, CalibrationSection section,
                                 float upperFlowLimit);

// The converted tables in mirror: counts within the flow computer's capacity and every header and
// record with matching check bytes.
WriteBackCheck CheckDeviceTables(const DeviceMemoryMirror& mirror, CalibrationSection section,
                                 const WriteBackTarget& target);

// A block of the flow computer's memory that the write-back reads before it merges into it.
struct MemoryBlock {
  uint16_t address;
  uint16_t dataSize;  // the check bytes follow
};

// The shared blocks to read fresh before writing the section (their data and check bytes).
std::vector<MemoryBlock> FreshBlockReads(CalibrationSection section, const WriteBackTarget& target);

// The fresh blocks: every block of FreshBlockReads known in fresh with matching check bytes.
WriteBackCheck CheckFreshBlocks(const DeviceMemoryMirror& fresh, CalibrationSection section,
                                const WriteBackTarget& target);

}  // namespace ruvenset
