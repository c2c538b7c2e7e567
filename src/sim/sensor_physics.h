#pragma once
#include <cstdint>

namespace ruvenset::sim {

// The simulated sensors: what ADC code a physical input produces. Every 24-bit channel drifts a
// little with the ambient temperature, which is what the per-Tos calibration tables correct.
inline constexpr uint32_t kMaxCode24 = 0xFFFFFF;

uint16_t AmbientCode(double ambientC);
uint32_t TemperatureCode(double temperatureC, double ambientC);
uint32_t PressureCode(double pressureKgfCm2, double ambientC);
uint32_t DifferentialCode(double differentialKgfM2, double ambientC);

// The ambient temperature that an ambient code stands for, from the sensor's nominal characteristic.
double NominalAmbient(uint16_t code);

}  // namespace ruvenset::sim
