#include "storage/calibration_checks.h"

namespace ruvenset {
namespace {

struct SectionRule {
  CalibrationFileStatus tosTooHigh;
  CalibrationFileStatus tableTooHigh;
  CalibrationFileStatus unitInvalid;  // Ok where the section has no unit code
};

SectionRule RuleFor(CalibrationSection section) {
  using S = CalibrationFileStatus;
  switch (section) {
    case CalibrationSection::Pressure:
      return {S::PressureTosCountTooHigh, S::PressureTableCountTooHigh, S::PressureUnitInvalid};
    case CalibrationSection::Temperature:
      return {S::TemperatureTosCountTooHigh, S::TemperatureTableCountTooHigh, S::Ok};
    default:
      return {S::DifferentialTosCountTooHigh, S::DifferentialTableCountTooHigh, S::DifferentialUnitInvalid};
  }
}

}  // namespace

CalibrationFileStatus CheckSection(const CalibrationImage& image, CalibrationSection section) {
  if (!IsChannelSection(section)) return CalibrationFileStatus::Ok;
  const SectionRule rule = RuleFor(section);
  const ConstChannelSection channel = image.Channel(section);
  const ChannelLimits limits = channel.Limits();
  const int tosCount = channel.TosCount();
  if (tosCount > limits.maxTosPoints) return rule.tosTooHigh;
  // The table after the last used one must be plausible too: a file with a damaged count there was
  // never written by a sound calibration. The used tables must fit, or their points could not be read.
  const int lastChecked = tosCount < limits.maxTosPoints ? tosCount : tosCount - 1;
  for (int k = 0; k <= lastChecked; ++k) {
    if (channel.PointCount(k) > limits.maxPoints) return rule.tableTooHigh;
  }
  if (rule.unitInvalid != CalibrationFileStatus::Ok && image.UnitCode(section) > 1) return rule.unitInvalid;
  return CalibrationFileStatus::Ok;
}

namespace {

// Models whose flow computers measure differential pressure with their own calibrated channel.
bool CalibratesDifferentialPressure(int model) {
  return model == 7 || model == 16 || model == 18;
}

}  // namespace

CalibrationFileStatus CheckEditorPreconditions(const CalibrationImage& image, CalibrationSection section) {
  if (section == CalibrationSection::DifferentialPressure &&
      !CalibratesDifferentialPressure(image.modelCode)) {
    return CalibrationFileStatus::NoDifferentialChannel;
  }
  if (section == CalibrationSection::CorrectionMultipliers && image.softwareVersion <= 10) {
    return CalibrationFileStatus::NoCorrectionTable;
  }
  return CalibrationFileStatus::Ok;
}

bool ApplyCorrectionDefault(CalibrationImage& image, float upperFlowLimit) {
  const int count = image.CorrectionCount();
  if (count != 0 && count <= kMaxCorrectionPoints) return false;
  image.SetCorrectionCount(2);
  image.SetCorrectionPoint(0, 0.0f, 0.0f);
  image.SetCorrectionPoint(1, upperFlowLimit / 2.0f, 0.0f);
  return true;
}

}  // namespace ruvenset
