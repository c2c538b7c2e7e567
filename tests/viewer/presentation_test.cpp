#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "viewer/channel_presentation.h"
#include "viewer/time_scale.h"
#include "viewer/value_window.h"

namespace ruvenset {
namespace {

TEST(ChannelPresentation, TitlesUnitsAndDefaultRanges) {
  const struct {
    int channel, unit;
    const char* title;
    const char* unitText;
    const char* otherUnit;
    double lo, hi;
  } cases[] = {
      {0, 0, "Статистика поверки канала давления", "кгс/см2", "МПа", -5, 102},
      {0, 1, "Статистика поверки канала давления", "МПа", "кгс/см2", -0.5, 10},
      {2, 0, "Статистика поверки канала перепада давления", "кгс/м2", "кПа", -841, 16825},
      {2, 1, "Статистика поверки канала перепада давления", "кПа", "кгс/м2", -8.25, 165},
      {1, 0, "Статистика поверки канала температуры газа", "Град.Целс", "Град.Целс", -50, 100},
      {1, 1, "Статистика поверки канала температуры газа", "Град.Целс", "Град.Целс", -50, 100},
      {3, 1, "Статистика поверки канала температуры газа", "Град.Целс", "Град.Целс", -50, 100},
      {255, 0, "Статистика поверки канала температуры газа", "Град.Целс", "Град.Целс", -50, 100},
  };
  for (const auto& c : cases) {
    const ChannelKind kind = ShownChannelKind(c.channel);
    EXPECT_STREQ(ChannelTitle(kind), c.title);
    EXPECT_STREQ(UnitText(kind, c.unit), c.unitText);
    EXPECT_STREQ(UnitText(kind, 1 - c.unit), c.otherUnit);
    const AxisRange r = DefaultValueRange(kind, c.unit);
    EXPECT_EQ(r.lo, c.lo);
    EXPECT_EQ(r.hi, c.hi);
  }
}

TEST(ChannelPresentation, UnitSwitchFactors) {
  EXPECT_FLOAT_EQ(ToOtherUnitFactor(ChannelKind::Pressure, 0), 0.0980665f);
  EXPECT_FLOAT_EQ(ToOtherUnitFactor(ChannelKind::Pressure, 1), 10.197162f);
  EXPECT_FLOAT_EQ(ToOtherUnitFactor(ChannelKind::DiffPressure, 0), 0.00980665f);
  EXPECT_FLOAT_EQ(ToOtherUnitFactor(ChannelKind::DiffPressure, 1), 101.97162f);
  EXPECT_FLOAT_EQ(ToOtherUnitFactor(ChannelKind::Temperature, 0), 1.0f);
  EXPECT_FLOAT_EQ(ShownUnitFactor(ChannelKind::Pressure, 1, 1), 1.0f);
  EXPECT_FLOAT_EQ(ShownUnitFactor(ChannelKind::Pressure, 1, 0), 10.197162f);
  EXPECT_FALSE(HasSecondUnit(ChannelKind::Temperature));
}

TEST(ChannelPresentation, WidensTheDefaultRangeByFivePercentOfTheExtreme) {
  const AxisRange def{-5.0, 102.0};
  const struct {
    float min, max;
    double lo, hi;
  } cases[] = {
      {0.0f, 50.0f, -5.0, 102.0},       {-20.0f, 50.0f, -21.0, 102.0}, {0.0f, 200.0f, -5.0, 210.0},
      {-100.0f, 400.0f, -105.0, 420.0}, {-5.0f, 102.0f, -5.0, 102.0},  {3.0e38f, 3.0e38f, -5.0, 3.15e38},
  };
  for (const auto& c : cases) {
    const AxisRange r = WidenToData(def, true, c.min, c.max);
    EXPECT_DOUBLE_EQ(r.lo, c.lo) << c.min;
    EXPECT_NEAR(r.hi, c.hi, std::fabs(c.hi) * 1e-7) << c.max;
  }
  const AxisRange none = WidenToData(def, false, -1e9f, 1e9f);
  EXPECT_EQ(none.lo, -5.0);
  const AxisRange codes = CodeRange(true, 1000.0, 1000.0);
  EXPECT_EQ(codes.lo, 999.0);
  EXPECT_EQ(codes.hi, 1001.0);
}

TEST(ValueWindow, ScaleAndOffsetStayFinite) {
  const AxisRange base{-50.0, 100.0};
  AxisRange w = ScaledWindow(base, 0, 0);
  EXPECT_EQ(w.lo, -50.0);
  EXPECT_EQ(w.hi, 100.0);
  w = ScaledWindow(base, 8, 0);  // 4x zoom around the centre
  EXPECT_DOUBLE_EQ(w.lo, 6.25);
  EXPECT_DOUBLE_EQ(w.hi, 43.75);
  w = ScaledWindow(base, 8, kOffsetLimit);  // centre moved to the top of the base range
  EXPECT_DOUBLE_EQ(w.lo + (w.hi - w.lo) / 2, 100.0);
  const AxisRange huge{-3.4e38, 3.4e38};
  w = ScaledWindow(huge, kScaleMin, kOffsetLimit);
  EXPECT_TRUE(std::isfinite(w.lo) && std::isfinite(w.hi) && w.hi > w.lo);
}

TEST(TimeScale, StepsLabelsAndAxisText) {
  const struct {
    int seconds;
    const char* label;
    const char* unit;
    const char* first;
    const char* last;
  } steps[kTimeStepCount] = {
      {1, "1 c", "с", "2", "24"},           {2, "2 c", "с", "4", "48"},
      {5, "5 c", "с", "10", "120"},         {10, "10 c", "с", "20", "240"},
      {20, "20 c", "с", "40", "480"},       {30, "30 c", "мин", "1", "12"},
      {60, "1 мин", "мин", "2", "24"},      {120, "2 мин", "мин", "4", "48"},
      {300, "5 мин", "мин", "10", "120"},   {600, "10 мин", "мин", "20", "240"},
      {1200, "20 мин", "мин", "40", "480"}, {1800, "30 мин", "ч", "1", "12"},
      {3600, "1 ч", "ч", "2", "24"},        {7200, "2 ч", "ч", "4", "48"},
      {18000, "5 ч", "ч", "10", "120"},
  };
  for (int s = 0; s < kTimeStepCount; ++s) {
    EXPECT_EQ(TimeStepSeconds(s), steps[s].seconds) << s;
    EXPECT_STREQ(TimeStepLabel(s), steps[s].label);
    EXPECT_STREQ(TimeAxisUnit(s), steps[s].unit);
    EXPECT_EQ(TimeAxisLabel(s, 1), steps[s].first);
    EXPECT_EQ(TimeAxisLabel(s, 12), steps[s].last);
  }
  EXPECT_EQ(std::string(TimeStepLabel(0)).back(), 'c');  // the step list writes seconds with a Latin c
  EXPECT_EQ(TimeAxisLabel(5, 7), "7");
  EXPECT_EQ(TimeStepSeconds(99), 18000);
}

}  // namespace
}  // namespace ruvenset
