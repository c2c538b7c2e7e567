#include "storage/calibration_edits.h"

namespace ruvenset {
namespace {

constexpr int32_t kDefaultTopCode = 0x7FFFFF;

struct DefaultValues {
  float low;
  float high;
};

DefaultValues DefaultTableValues(CalibrationSection section) {
  switch (section) {
    case CalibrationSection::Temperature:
      return {-45.0f, 20.0f};
    case CalibrationSection::DifferentialPressure:
      return {0.95f, 13000.0f};
    default:
      return {0.8564f, 55.0f};
  }
}

bool HasTos(ConstChannelSection channel, int k) {
  return k >= 0 && k < channel.UsedTosPoints() && channel.TosCount() <= channel.Limits().maxTosPoints;
}

bool HasPoint(ConstChannelSection channel, int k, int i) {
  return HasTos(channel, k) && i >= 0 && i < channel.UsedPoints(k) &&
         channel.PointCount(k) <= channel.Limits().maxPoints;
}

}  // namespace

bool AppendTosPoint(CalibrationImage& image, CalibrationSection section, int32_t code, float value) {
  const ChannelSection channel = image.Channel(section);
  const int k = channel.TosCount();
  if (!IsChannelSection(section) || k >= channel.Limits().maxTosPoints) return false;
  const DefaultValues values = DefaultTableValues(section);
  channel.SetTosPoint(k, code, value);
  channel.SetPointCount(k, 2);
  channel.SetPoint(k, 0, 0, values.low);
  channel.SetPoint(k, 1, kDefaultTopCode, values.high);
  channel.SetTosCount(static_cast<uint16_t>(k + 1));
  return true;
}

bool DeleteTosPoint(CalibrationImage& image, CalibrationSection section, int k) {
  const ChannelSection channel = image.Channel(section);
  if (!HasTos(channel, k)) return false;
  const int count = channel.TosCount();
  for (int j = k; j + 1 < count; ++j) channel.SwapTosPoints(j, j + 1);
  channel.SetTosCount(static_cast<uint16_t>(count - 1));
  return true;
}

bool AppendPoint(CalibrationImage& image, CalibrationSection section, int k, int32_t code, float value) {
  const ChannelSection channel = image.Channel(section);
  if (!HasTos(channel, k)) return false;
  const int i = channel.PointCount(k);
  if (i >= channel.Limits().maxPoints) return false;
  channel.SetPoint(k, i, code, value);
  channel.SetPointCount(k, static_cast<uint16_t>(i + 1));
  return true;
}

bool DeletePoint(CalibrationImage& image, CalibrationSection section, int k, int i) {
  const ChannelSection channel = image.Channel(section);
  if (!HasPoint(channel, k, i)) return false;
  const int count = channel.PointCount(k);
  for (int j = i; j + 1 < count; ++j) channel.SwapPoints(k, j, j + 1);
  channel.SetPointCount(k, static_cast<uint16_t>(count - 1));
  return true;
}

bool ChangePoint(CalibrationImage& image, CalibrationSection section, int k, int i, int32_t code,
                 float value) {
  const ChannelSection channel = image.Channel(section);
  if (!HasPoint(channel, k, i)) return false;
  channel.SetPoint(k, i, code, value);
  return true;
}

bool ShiftTable(CalibrationImage& image, CalibrationSection section, int k, float offset) {
  const ChannelSection channel = image.Channel(section);
  if (!HasTos(channel, k) || channel.PointCount(k) > channel.Limits().maxPoints) return false;
  for (int i = 0; i < channel.UsedPoints(k); ++i) {
    channel.SetPoint(k, i, channel.PointCode(k, i), channel.PointValue(k, i) + offset);
  }
  return true;
}

bool AppendCorrectionPoint(CalibrationImage& image, float flow, float multiplier) {
  const int count = image.CorrectionCount();
  if (count >= kMaxCorrectionPoints) return false;
  image.SetCorrectionPoint(count, flow, multiplier);
  image.SetCorrectionCount(static_cast<uint16_t>(count + 1));
  return true;
}

bool DeleteCorrectionPoint(CalibrationImage& image, int i) {
  const int count = image.CorrectionCount();
  if (count > kMaxCorrectionPoints || i < 0 || i >= count) return false;
  for (int j = i; j + 1 < count; ++j) image.SwapCorrectionPoints(j, j + 1);
  image.SetCorrectionCount(static_cast<uint16_t>(count - 1));
  return true;
}

bool ChangeCorrectionPoint(CalibrationImage& image, int i, float flow, float multiplier) {
  if (image.CorrectionCount() > kMaxCorrectionPoints || i < 0 || i >= image.CorrectionCount()) return false;
  image.SetCorrectionPoint(i, flow, multiplier);
  return true;
}

WriteBackCheck CheckTablesBeforeSaving(const CalibrationImage& image, CalibrationSection section) {
  if (!IsChannelSection(section)) return {};
  return ValidateForDevice(image, section, 0.0f);
}

}  // namespace ruvenset
