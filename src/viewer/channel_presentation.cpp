#include "viewer/channel_presentation.h"

#include <algorithm>
#include <cmath>

#include "common/unit_tables.h"

namespace ruvenset {
namespace {

int ChannelCode(ChannelKind kind) {
  switch (kind) {
    case ChannelKind::Pressure:
      return 0;
    case ChannelKind::DiffPressure:
      return 2;
    case ChannelKind::Temperature:
      break;
  }
  return 1;
}

}  // namespace

ChannelKind ShownChannelKind(int channel) {
  if (channel == 0) return ChannelKind::Pressure;
  if (channel == 2) return ChannelKind::DiffPressure;
  return ChannelKind::Temperature;
}

const char* ChannelTitle(ChannelKind kind) {
  switch (kind) {
    case ChannelKind::Pressure:
      return "Статистика поверки канала давления";
    case ChannelKind::DiffPressure:
      return "Статистика поверки канала перепада давления";
    case ChannelKind::Temperature:
      break;
  }
  return "Статистика поверки канала температуры газа";
}

const char* UnitText(ChannelKind kind, int unit) {
  switch (kind) {
    case ChannelKind::Pressure:
      return unit == 0 ? "кгс/см2" : "МПа";
    case ChannelKind::DiffPressure:
      return unit == 0 ? "кгс/м2" : "кПа";
    case ChannelKind::Temperature:
      break;
  }
  return "Град.Целс";
}

bool HasSecondUnit(ChannelKind kind) {
  return kind != ChannelKind::Temperature;
}

float ToOtherUnitFactor(ChannelKind kind, int from) {
  return RecordUnitFactor(ChannelCode(kind), from == 0 ? 1 : 0, from == 0 ? 0 : 1);
}

float ShownUnitFactor(ChannelKind kind, int loadedUnit, int shownUnit) {
  return RecordUnitFactor(ChannelCode(kind), shownUnit, loadedUnit);
}

AxisRange DefaultValueRange(ChannelKind kind, int unit) {
  switch (kind) {
    case ChannelKind::Pressure:
      return unit == 0 ? AxisRange{-5.0, 102.0} : AxisRange{-0.5, 10.0};
    case ChannelKind::DiffPressure:
      return unit == 0 ? AxisRange{-841.0, 16825.0} : AxisRange{-8.25, 165.0};
    case ChannelKind::Temperature:
      break;
  }
  return AxisRange{-50.0, 100.0};
}

AxisRange WidenToData(AxisRange range, bool hasData, float min, float max) {
  if (!hasData || !std::isfinite(min) || !std::isfinite(max)) return range;
  const double lo = min;
  const double hi = max;
  if (lo < range.lo) range.lo = lo - 0.05 * std::fabs(lo);
  if (hi > range.hi) range.hi = hi + 0.05 * std::fabs(hi);
  return range;
}

AxisRange CodeRange(bool hasData, double min, double max) {
  if (!hasData || !std::isfinite(min) || !std::isfinite(max)) return AxisRange{0.0, 1.0};
  const double margin = std::max(0.05 * (max - min), 1.0);
  return AxisRange{min - margin, max + margin};
}

}  // namespace ruvenset
