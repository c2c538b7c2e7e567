#pragma once
#include <cstdint>

namespace ruvenset {

// How the viewer presents a channel code: 0 pressure, 2 differential pressure, any other temperature.
enum class ChannelKind { Pressure, Temperature, DiffPressure };
ChannelKind ShownChannelKind(int channel);

// The graph window's title for the channel.
const char* ChannelTitle(ChannelKind kind);
// The unit text: pressure "кгс/см2" (0) / "МПа" (1), differential pressure "кгс/м2" / "кПа",
// temperature always "Град.Целс".
const char* UnitText(ChannelKind kind, int unit);
// Only pressure and differential pressure have a second unit to switch to.
bool HasSecondUnit(ChannelKind kind);
// Factor that turns a value in unit `from` into the channel's other unit (1 for temperature).
float ToOtherUnitFactor(ChannelKind kind, int from);
// Factor from the unit readings were loaded in to the unit they are shown in.
float ShownUnitFactor(ChannelKind kind, int loadedUnit, int shownUnit);

struct AxisRange {
  double lo;
  double hi;
};

// The value axis before looking at the data: pressure kgf/cm2 -5..102, MPa -0.5..10; differential
// pressure kgf/m2 -841..16825, kPa -8.25..165; temperature -50..100.
AxisRange DefaultValueRange(ChannelKind kind, int unit);

// The default range widened to the data: a minimum below it becomes min - 5 % of |min|, a maximum
// above it max + 5 % of |max|. Without finite data the default stays.
AxisRange WidenToData(AxisRange range, bool hasData, float min, float max);

// The axis of an ADC code strip: the data's range with 5 % of its span (at least one count) either side.
AxisRange CodeRange(bool hasData, double min, double max);

}  // namespace ruvenset
