#include "calibration/save_calibration_tables.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ruvenset {
namespace {

std::vector<uint8_t> Bytes(const DeviceMemoryMirror& mirror, uint32_t address, size_t size) {
  std::vector<uint8_t> out(size, 0);
  for (size_t i = 0; i < size; ++i) mirror.Load(address + static_cast<uint32_t>(i), &out[i], 1);
  return out;
}

uint8_t CountByte(const DeviceMemoryMirror& mirror, uint32_t address) {
  return Bytes(mirror, address, 1)[0];
}

uint32_t Code24(const uint8_t* p, DeviceByteOrder order) {
  const uint32_t first = p[0];
  const uint32_t last = p[2];
  const uint32_t high = order == DeviceByteOrder::MsbFirst ? first : last;
  const uint32_t low = order == DeviceByteOrder::MsbFirst ? last : first;
  return (high << 16) | (static_cast<uint32_t>(p[1]) << 8) | low;
}

void LoadRecords(const DeviceMemoryMirror& mirror, uint16_t records, int count, DeviceByteOrder order,
                 SegmentData& out) {
  for (int j = 0; j < count; ++j) {
    const std::vector<uint8_t> r = Bytes(mirror, records + kSegmentRecordSize * static_cast<uint32_t>(j), 8);
    out.values.push_back(DeviceFloatAt(r.data(), order));
    out.slopes.push_back(DeviceFloatAt(r.data() + 4, order));
  }
}

constexpr double kMaxCode = kMaxPointCode;

double Along(double code, double fromCode, double fromValue, double slope) {
  return (code - fromCode) * slope + fromValue;
}

}  // namespace

SegmentData LoadSegmentData(const DeviceMemoryMirror& mirror, uint16_t header, uint16_t records,
                            DeviceByteOrder order) {
  SegmentData out;
  const int count = CountByte(mirror, header);
  const std::vector<uint8_t> codes = Bytes(mirror, header + 1u, 3 * static_cast<size_t>(count));
  for (int j = 0; j < count; ++j) out.starts.push_back(Code24(codes.data() + 3 * j, order));
  LoadRecords(mirror, records, count, order, out);
  return out;
}

PointTable RebuildPointTable(const SegmentData& segments, double limit) {
  PointTable table;
  const size_t u = std::min({segments.starts.size(), segments.values.size(), segments.slopes.size()});
  if (u == 0) return table;
  for (size_t i = 0; i < u; ++i) {
    table.codes.push_back(static_cast<int32_t>(segments.starts[i]));
    table.values.push_back(segments.values[i]);
  }
  const double prevCode = segments.starts[u - 1];
  const double prevValue = segments.values[u - 1];
  const double slope = segments.slopes[u - 1];

  bool valid = u >= 2;
  double code = 0.0;
  double value = 0.0;
  if (valid) {
    code = 2.0 * prevCode - static_cast<double>(segments.starts[u - 2]);
    valid = code <= kMaxCode && code > prevCode;
  }
  if (valid) {
    value = Along(code, prevCode, prevValue, slope);
    valid = std::isfinite(value) && value <= limit && value > prevValue;
  }
  if (!valid) {
    value = limit;
    code = std::trunc(prevCode + (value - prevValue) / slope);
    if (!std::isfinite(code) || code <= prevCode) {
      code = kMaxCode;
      value = Along(code, prevCode, prevValue, slope);
    } else if (code > kMaxCode) {
      code = kMaxCode;
      value = Along(code, prevCode, prevValue, slope);
    }
  }
  if (code <= prevCode || !std::isfinite(value)) return table;
  table.codes.push_back(static_cast<int32_t>(code));
  table.values.push_back(static_cast<float>(value));
  return table;
}

void RebuildChannelSection(const DeviceMemoryMirror& mirror, const DeviceChannelTables& tables,
                           DeviceByteOrder order, double limit, ChannelSection out) {
  const ChannelLimits capacity = out.Limits();
  const int t = std::min<int>(CountByte(mirror, tables.tosDirectory), capacity.maxTosPoints);
  const std::vector<uint8_t> directory = Bytes(mirror, tables.tosDirectory + 1u, 2 * static_cast<size_t>(t));
  SegmentData tos;
  if (tables.hasTosSegments) {
    const int n = std::min<int>(CountByte(mirror, tables.tosSegmentTable), tables.maxTosSegments);
    LoadRecords(mirror, tables.tosSegmentRecords, n, order, tos);
  }
  const int n = static_cast<int>(tos.values.size());
  out.SetTosCount(static_cast<uint16_t>(t));
  for (int k = 0; k < t; ++k) {
    const int32_t code = DeviceWordAt(directory.data() + 2 * k, order);
    float value = out.TosValue(k);
    if (k < n) {
      value = tos.values[static_cast<size_t>(k)];
    } else if (k == n && n >= 1) {
      value = static_cast<float>(Along(code, out.TosCode(k - 1), tos.values[static_cast<size_t>(k - 1)],
                                       tos.slopes[static_cast<size_t>(k - 1)]));
    }
    out.SetTosPoint(k, code, value);
  }
  for (int o = 0; o < capacity.maxTosPoints; ++o) {
    if (o >= t) {
      out.SetPointCount(o, 0);
      continue;
    }
    const uint16_t header = TableAddress(tables, o);
    SegmentData segments =
        LoadSegmentData(mirror, header, static_cast<uint16_t>(header + tables.recordsOffset), order);
    const size_t maxSegments = static_cast<size_t>(capacity.maxPoints - 1);
    if (segments.starts.size() > maxSegments) {
      segments.starts.resize(maxSegments);
      segments.values.resize(maxSegments);
      segments.slopes.resize(maxSegments);
    }
    const PointTable points = RebuildPointTable(segments, limit);
    out.SetPointCount(o, static_cast<uint16_t>(points.codes.size()));
    for (size_t i = 0; i < points.codes.size(); ++i)
      out.SetPoint(o, static_cast<int>(i), points.codes[i], points.values[i]);
  }
}

bool TemperatureTosFromPressure(CalibrationImage& image) {
  const ConstChannelSection pressure = std::as_const(image).Channel(CalibrationSection::Pressure);
  const int t = pressure.UsedTosPoints();
  if (t < 2) return false;
  for (int k = 1; k < t; ++k) {
    if (pressure.TosCode(k) == pressure.TosCode(k - 1)) return false;
  }
  const ChannelSection temperature = image.Channel(CalibrationSection::Temperature);
  for (int k = 0; k < temperature.UsedTosPoints(); ++k) {
    const double code = temperature.TosCode(k);
    int j = 0;
    while (j + 2 < t && code >= pressure.TosCode(j + 1)) ++j;
    const double slope = (double{pressure.TosValue(j + 1)} - pressure.TosValue(j)) /
                         (static_cast<double>(pressure.TosCode(j + 1)) - pressure.TosCode(j));
    temperature.SetTosPoint(
        k, temperature.TosCode(k),
        static_cast<float>(Along(code, pressure.TosCode(j), pressure.TosValue(j), slope)));
  }
  return true;
}

void RebuildCorrectionTable(const DeviceMemoryMirror& mirror, DeviceByteOrder order, double upperFlowLimit,
                            CalibrationImage& image) {
  const int m = std::min<int>(CountByte(mirror, kCorrectionHeader), kCorrectionMaxSegments);
  const std::vector<uint8_t> flows = Bytes(mirror, kCorrectionHeader + 1u, 4 * static_cast<size_t>(m));
  SegmentData segments;
  LoadRecords(mirror, kCorrectionRecords, m, order, segments);
  int count = 0;
  for (int j = 0; j < m; ++j)
    image.SetCorrectionPoint(count++, DeviceFloatAt(flows.data() + 4 * j, order),
                             segments.values[static_cast<size_t>(j)]);
  if (m >= 1) {
    const double lastFlow = image.CorrectionFlow(m - 1);
    const double value = Along(upperFlowLimit, lastFlow, segments.values[static_cast<size_t>(m - 1)],
                               segments.slopes[static_cast<size_t>(m - 1)]);
    if (upperFlowLimit > lastFlow && std::isfinite(value))
      image.SetCorrectionPoint(count++, static_cast<float>(upperFlowLimit), static_cast<float>(value));
  }
  image.SetCorrectionCount(static_cast<uint16_t>(count));
}

}  // namespace ruvenset
