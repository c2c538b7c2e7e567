#include "common/unit_tables.h"

namespace ruvenset {
namespace {

constexpr float kPressure[kDeviceUnitCount][kPressureUnitCount] = {
    {1.0f, 0.0980665f, 98.0665f, 10.0f, 14.223338f, 0.980665f, 735.56f, 980.665f},
    {10.197162f, 1.0f, 1000.0f, 101.97162f, 145.03767f, 10.0f, 7501.032f, 10000.0f},
};

constexpr float kDiffPressure[kDeviceUnitCount][kDiffPressureUnitCount] = {
    {1.0f, 0.00980665f, 1.0f, 0.1f, 0.039370079f, 0.0014223338f, 0.0980665f, 0.0000980665f, 0.0001f},
    {101.97162f, 1.0f, 101.97162f, 10.197162f, 4.0146308f, 0.14503768f, 10.0f, 0.01f, 0.010197162f},
};

constexpr ValueRange kAtmospheric[kPressureUnitCount] = {
    {0.8564f, 1.088f},        {0.083984f, 0.106696f}, {83.98415f, 106.69635f}, {8.564f, 10.88f},
    {12.180866f, 15.474992f}, {0.839841f, 1.066964f}, {629.96783f, 800.0f},    {840.0f, 1066.9635f},
};

constexpr float kHartPressure[5][kDeviceUnitCount] = {
    {1.0f, 0.0980665f},       {10.197162f, 1.0f}, {0.010197162f, 0.001f},
    {0.070307f, 0.00689476f}, {1.0197162f, 0.1f},
};

constexpr float kHartDiffPressure[6][kDeviceUnitCount] = {
    {1.0f, 0.00980665f},   {101.97162f, 1.0f},   {25.4f, 0.249089f},
    {703.0699f, 6.89476f}, {10197.162f, 100.0f}, {10000.0f, 98.0665f},
};

template <size_t Rows, size_t Cols>
float Lookup(const float (&table)[Rows][Cols], int row, int col) {
  if (row < 0 || col < 0 || static_cast<size_t>(row) >= Rows || static_cast<size_t>(col) >= Cols) return 1.0f;
  return table[row][col];
}

}  // namespace

float PressureUnitFactor(int deviceUnit, int chosenUnit) {
  return Lookup(kPressure, deviceUnit, chosenUnit);
}

float DiffPressureUnitFactor(int deviceUnit, int chosenUnit) {
  return Lookup(kDiffPressure, deviceUnit, chosenUnit);
}

ValueRange AtmosphericPressureRange(int pressureUnit) {
  if (pressureUnit < 0 || pressureUnit >= kPressureUnitCount) return kAtmospheric[0];
  return kAtmospheric[pressureUnit];
}

float HartPressureFactor(int hartUnit, int deviceUnit) {
  return Lookup(kHartPressure, hartUnit, deviceUnit);
}

float HartDiffPressureFactor(int hartUnit, int deviceUnit) {
  return Lookup(kHartDiffPressure, hartUnit, deviceUnit);
}

int MapHartPressureUnit(int hartUnitCode) {
  switch (hartUnitCode) {
    case 10:
      return 0;
    case 237:
      return 1;
    case 12:
      return 2;
    case 6:
      return 3;
    case 7:
      return 4;
    default:
      return -1;
  }
}

int MapHartDiffPressureUnit(int hartUnitCode) {
  switch (hartUnitCode) {
    case 4:
      return 0;
    case 12:
      return 1;
    case 1:
      return 2;
    case 6:
      return 3;
    case 7:
      return 4;
    case 10:
      return 5;
    default:
      return -1;
  }
}

float RecordUnitFactor(int channel, int shownUnit, int recordUnit) {
  if (shownUnit == recordUnit) return 1.0f;
  if (channel == 0) return shownUnit == 0 ? 10.197162f : 0.0980665f;
  if (channel == 2) return shownUnit == 0 ? 101.97162f : 0.00980665f;
  return 1.0f;
}

}  // namespace ruvenset
