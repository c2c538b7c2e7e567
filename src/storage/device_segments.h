#pragma once
#include <cstdint>

#include "common/byte_order.h"
#include "session/calibration_image.h"
#include "session/device_memory_mirror.h"
#include "storage/device_tables.h"

namespace ruvenset {

// The low 24 bits of code, most significant byte first unless the flow computer wants least first.
void StoreDeviceCode24(uint8_t* p, uint32_t code, DeviceByteOrder order);

// A 10-byte segment record: start value and slope in the flow computer's byte order, then the check
// bytes computed over those 8 bytes as they are sent.
void EncodeSegmentRecord(uint8_t* out, float start, float slope, DeviceByteOrder order);

// Slope of the value per code unit between two points; 0 for two points at the same code.
float SegmentSlope(double value0, double value1, double code0, double code1);

// The count byte of a table of n entries kept as segments: n − 1. An empty table gives 0xFF and a
// longer one than a byte can say gives at most 0xFF, so the count checks refuse both.
uint8_t SegmentCountByte(int entries);

// Converts a channel section's tables into mirror: the Тос segment table and records (pressure and
// differential pressure), the Тос directory (when withDirectory) and the point table of each of the
// first tosPoints Тос points. tosPoints is the count to convert (the stored count, or 1 for a model-9
// temperature section); counts beyond capacity give a count byte the checks refuse, and only the
// entries that exist are read.
void ConvertChannelTables(ConstChannelSection channel, const DeviceChannelTables& tables, int tosPoints,
                          bool withDirectory, DeviceByteOrder order, DeviceMemoryMirror& mirror);

// Converts the meter correction table: flow values as codes (float32), multipliers as values.
void ConvertCorrectionTable(const CalibrationImage& image, DeviceByteOrder order, DeviceMemoryMirror& mirror);

// The tables of one section as the write-back stores them for a flow computer of the given model:
// a model-9 temperature section has one Тос point and no Тос directory.
void ConvertSectionTables(const CalibrationImage& image, CalibrationSection section, uint8_t model,
                          DeviceByteOrder order, DeviceMemoryMirror& mirror);

const DeviceChannelTables& DeviceTablesOf(CalibrationSection section);

}  // namespace ruvenset
