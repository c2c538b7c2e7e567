#include "sim/calibration_preload.h"

#include <cstring>
#include <vector>

#include "sim/device_tables.h"
#include "sim/memory_map.h"
#include "sim/sensor_physics.h"

namespace ruvenset::sim {
namespace {

using CodeOf = uint32_t (*)(double value, double ambientC);

struct ChannelCalibration {
  const ChannelSectionLayout& layout;
  std::vector<double> tosPoints;  // ambient temperatures of the Tos points
  std::vector<float> values;      // calibration points of every table
  CodeOf code;
};

void StoreSection(uint8_t* memory, const ChannelCalibration& c, DeviceByteOrder order) {
  const ChannelSectionLayout& s = c.layout;
  std::vector<uint16_t> tosCodes;
  std::vector<double> tosStarts;
  std::vector<float> tosValues;
  for (size_t k = 0; k < c.tosPoints.size(); ++k) {
    const double ambient = c.tosPoints[k];
    tosCodes.push_back(AmbientCode(ambient));
    tosStarts.push_back(tosCodes.back());
    tosValues.push_back(static_cast<float>(ambient));
    std::vector<double> codes;
    for (float v : c.values) codes.push_back(c.code(v, ambient));
    const uint16_t header = static_cast<uint16_t>(s.firstTable + s.tableStride * k);
    StoreSegments(memory, header, static_cast<uint16_t>(header + s.recordsFromHeader), codes, c.values,
                  SegmentStart::Code24, order);
  }
  if (s.hasTosSegments) {
    StoreSegments(memory, s.tosSegmentTable, s.tosSegmentRecords, tosStarts, tosValues, SegmentStart::Code24,
                  order);
  }
  StoreTosDirectory(memory, s.tosDirectory, tosCodes, order);
}

void StoreAdcBlocks(uint8_t* memory, int model) {
  // Models 16, 18 and 20: input bytes (gain 8 for pressure, 1 for temperature) and configuration bytes
  // (7.5 conversions per second). Other models: three bytes per input, gain in bits 2..4 of the first,
  // a 12-bit filter value in the low nibble of the second and the third.
  const bool inputConfigPairs = model == 16 || model == 18 || model == 20;
  const uint8_t pairs[kAdcBlockSize] = {0x03, 0x00, 0x03, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00};
  const uint8_t triples[kAdcBlockSize] = {0x0C, 0x00, 0x64, 0x00, 0x00, 0x32, 0x0C, 0x00, 0x64};
  const uint8_t* block = inputConfigPairs ? pairs : triples;
  StoreCheckedBlock(memory, kAdcBlockMain, block, kAdcBlockSize);
  StoreCheckedBlock(memory, kAdcBlockSecond, block, kAdcBlockSize);
}

void StoreParameterBlocks(uint8_t* memory, const PreloadChoices& choices) {
  const uint8_t units[kUnitsBlockSize] = {0, 0, 0, 0, 0, 0};  // kgf/cm2 and kgf/m2
  StoreCheckedBlock(memory, kUnitsBlock, units, kUnitsBlockSize);

  uint8_t constants[kConstantsSize] = {};
  StoreDeviceFloat(constants + 0, 0.0f, choices.order);
  StoreDeviceFloat(constants + 4, 1.0f, choices.order);
  StoreDeviceFloat(constants + 8, 0.0f, choices.order);
  StoreDeviceFloat(constants + 12, 1.0f, choices.order);
  StoreCheckedBlock(memory, kCharacteristicConstants, constants, kConstantsSize);

  uint8_t measurement[kMeasurementParametersSize] = {};
  for (int channel = 0; channel < 3; ++channel) {
    StoreDeviceWord(measurement + 2 * channel, 100, choices.order);
    measurement[10 + channel] = 3;
  }
  StoreCheckedBlock(memory, kMeasurementParameters, measurement, kMeasurementParametersSize);

  uint8_t code[4];
  const uint32_t id = choices.identificationCode;
  const bool lsb = choices.order == DeviceByteOrder::LsbFirst;
  for (int i = 0; i < 4; ++i) code[lsb ? i : 3 - i] = static_cast<uint8_t>(id >> (8 * i));
  std::memcpy(memory + kIdentificationCode, code, 4);
}

void StoreCorrectionTable(uint8_t* memory, DeviceByteOrder order) {
  const std::vector<double> flows = {0.0, 100.0, 400.0, 1000.0};
  const std::vector<float> multipliers = {1.002f, 1.0f, 0.998f, 0.997f};
  StoreSegments(memory, kCorrectionHeader, kCorrectionRecords, flows, multipliers, SegmentStart::Float,
                order);
}

}  // namespace

void PreloadMemory(uint8_t* memory, const PreloadChoices& choices) {
  std::memset(memory, 0, kMemorySize);
  const std::vector<double> tos = {-20.0, 20.0, 50.0};
  StoreSection(memory, {kPressureSection, tos, {0.0f, 4.0f, 8.0f, 12.0f, 16.0f}, PressureCode},
               choices.order);
  StoreSection(memory,
               {kTemperatureSection,
                {-10.0, 20.0, 45.0},
                {-45.0f, -20.0f, 0.0f, 20.0f, 50.0f, 85.0f},
                TemperatureCode},
               choices.order);
  if (choices.differentialSection) {
    StoreSection(memory,
                 {kDifferentialSection, tos, {0.0f, 625.0f, 1250.0f, 1875.0f, 2500.0f}, DifferentialCode},
                 choices.order);
  } else {
    StoreCorrectionTable(memory, choices.order);
  }
  StoreAdcBlocks(memory, choices.model);
  StoreParameterBlocks(memory, choices);
}

}  // namespace ruvenset::sim
