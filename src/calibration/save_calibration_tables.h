#pragma once
#include <cstdint>
#include <vector>

#include "common/byte_order.h"
#include "session/calibration_image.h"
#include "session/device_memory_mirror.h"
#include "storage/device_tables.h"

namespace ruvenset {

// Turns the flow computer's segment tables, as read into a memory mirror, back into the point tables
// of a calibration image. The flow computer keeps m segments for m + 1 points and never stores the
// code of the last point, so each table's end point is rebuilt from its last segment.

// One device table: the start code (or Тос code), start value and slope of every segment.
struct SegmentData {
  std::vector<uint32_t> starts;
  std::vector<float> values;
  std::vector<float> slopes;
};

struct PointTable {
  std::vector<int32_t> codes;
  std::vector<float> values;
};

// The segments of the table whose header (count byte, 3-byte start codes) is at `header` and whose
// segment records start at `records`, in host order. Bytes the mirror does not know read as 0.
SegmentData LoadSegmentData(const DeviceMemoryMirror& mirror, uint16_t header, uint16_t records,
                            DeviceByteOrder order);

// The points of a table of u segments: u + 1 points, the last one rebuilt. It continues the step of the
// last two codes when that stays within the code range and gives a value above the previous one and at
// most `limit`; otherwise its value is `limit` and its code follows from the last slope (truncated,
// clamped at 16777215 with the value recomputed there). The code is worked out in double and used only
// when finite and above the previous code: a flat, falling or broken last segment instead ends the table
// at the end of the code range, with the segment's value there. No segments give an empty table.
PointTable RebuildPointTable(const SegmentData& segments, double limit);

// Rebuilds a channel section from the mirror: the Тос count and codes from the Тос directory, the Тос
// values from the Тос segment records (the one after the last segment extrapolated along it; with no
// segment, and for temperature, the image's values stay), and one point table per Тос point. Counts are
// expected to have been checked against the section's capacity; tables past the Тос count are emptied.
void RebuildChannelSection(const DeviceMemoryMirror& mirror, const DeviceChannelTables& tables,
                           DeviceByteOrder order, double limit, ChannelSection out);

// The temperature section's Тос values, which the flow computer does not keep: both Тос directories hold
// codes of the same ambient sensor, so each temperature Тос code is read off the pressure section's Тос
// points (interpolated between the two around it, extrapolated along the nearest pair beyond them).
// False, the values left as they are, when the pressure section has fewer than two Тос points with
// distinct codes.
bool TemperatureTosFromPressure(CalibrationImage& image);

// The meter correction table: flow values from the header's floats, multipliers from the records; the
// end point lies at the upper flow limit when that is above the last flow value.
void RebuildCorrectionTable(const DeviceMemoryMirror& mirror, DeviceByteOrder order, double upperFlowLimit,
                            CalibrationImage& image);

}  // namespace ruvenset
