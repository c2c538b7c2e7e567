#include "session/calibration_image.h"

#include "common/crc16.h"

namespace ruvenset {
ChannelSection CalibrationImage::Channel(CalibrationSection s) & {
  switch (s) {
    case CalibrationSection::Pressure:
      return {reinterpret_cast<uint8_t*>(&pressure), kPressureLimits};
    case CalibrationSection::Temperature:
      return {reinterpret_cast<uint8_t*>(&temperature), kTemperatureLimits};
    case CalibrationSection::DifferentialPressure:
      return {reinterpret_cast<uint8_t*>(&differentialPressure), kDifferentialLimits};
    case CalibrationSection::CorrectionMultipliers:
      break;
  }
  return {};
}

ConstChannelSection CalibrationImage::Channel(CalibrationSection s) const& {
  return const_cast<CalibrationImage*>(this)->Channel(s);
}

const uint8_t* CalibrationImage::AdcParameters(CalibrationSection s) const {
  return s == CalibrationSection::DifferentialPressure ? differentialAdcParameters : pressureAdcParameters;
}

uint8_t CalibrationImage::UnitCode(CalibrationSection s) const {
  if (s == CalibrationSection::Pressure) return pressureUnit;
  if (s == CalibrationSection::DifferentialPressure) return differentialUnit;
  return 0;
}

float CalibrationImage::CharacteristicOffset(CalibrationSection s) const {
  return LoadLeFloat(s == CalibrationSection::DifferentialPressure ? differentialOffset : pressureOffset);
}

float CalibrationImage::CharacteristicSlope(CalibrationSection s) const {
  return LoadLeFloat(s == CalibrationSection::DifferentialPressure ? differentialSlope : pressureSlope);
}

void CalibrationImage::SetCharacteristic(CalibrationSection s, float offset, float slope) {
  const bool differential = s == CalibrationSection::DifferentialPressure;
  StoreLeFloat(differential ? differentialOffset : pressureOffset, offset);
  StoreLeFloat(differential ? differentialSlope : pressureSlope, slope);
}

uint16_t CalibrationImage::MeasurementPause(int channel) const {
  return channel >= 0 && channel < 3 ? LoadLe16(measurementPauses[channel]) : 0;
}

uint8_t CalibrationImage::ConversionCount(int channel) const {
  return channel >= 0 && channel < 3 ? conversionCounts[channel] : 0;
}

void CalibrationImage::SetCorrectionPoint(int i, float flow, float multiplier) {
  if (!HasCorrection(i)) return;
  StoreLeFloat(correctionFlows[i], flow);
  StoreLeFloat(correctionMultipliers[i], multiplier);
}

void CalibrationImage::SwapCorrectionPoints(int a, int b) {
  if (!HasCorrection(a) || !HasCorrection(b) || a == b) return;
  std::swap_ranges(correctionFlows[a], correctionFlows[a] + 4, correctionFlows[b]);
  std::swap_ranges(correctionMultipliers[a], correctionMultipliers[a] + 4, correctionMultipliers[b]);
}

void CalibrationImage::StoreCheckBytes() {
  StoreCrc16(Bytes(), kCalibrationCheckedSize);
}

bool CalibrationImage::CheckBytesValid() const {
  return Crc16Modbus(Bytes(), kCalibrationImageSize) == 0;
}

}  // namespace ruvenset
