#include "sim/sensor_physics.h"

#include <algorithm>
#include <cmath>

namespace ruvenset::sim {
namespace {

constexpr double kAmbientZero = 32768.0;
constexpr double kAmbientPerDegree = 400.0;

uint32_t Code24(double code) {
  return static_cast<uint32_t>(std::clamp(std::lround(code), 0L, 0xFFFFFFL));
}

}  // namespace

uint16_t AmbientCode(double ambientC) {
  return static_cast<uint16_t>(
      std::clamp(std::lround(kAmbientZero + kAmbientPerDegree * ambientC), 0L, 65535L));
}

uint32_t TemperatureCode(double temperatureC, double ambientC) {
  return Code24(4'000'000.0 + 50'000.0 * temperatureC + 150.0 * (ambientC - 20.0));
}

uint32_t PressureCode(double pressureKgfCm2, double ambientC) {
  return Code24(800'000.0 + 900'000.0 * pressureKgfCm2 + 300.0 * (ambientC - 20.0));
}

uint32_t DifferentialCode(double differentialKgfM2, double ambientC) {
  return Code24(600'000.0 + 5'000.0 * differentialKgfM2 + 200.0 * (ambientC - 20.0));
}

double NominalAmbient(uint16_t code) {
  return (code - kAmbientZero) / kAmbientPerDegree;
}

}  // namespace ruvenset::sim
