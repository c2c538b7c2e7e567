#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "sim/flow_computer_config.h"

namespace ruvenset::sim {

inline constexpr size_t kIdentificationDataSize = 52;  // a 58-byte response
inline constexpr size_t kConfigurationSize = 110;
inline constexpr size_t kParameterBlockSize = 226;
inline constexpr size_t kBlock22Size = 31;
inline constexpr size_t kPipelineRecordSize = 63;
inline constexpr size_t kStateRecordSize = 19;

// Positions the simulator gives the fields of its blocks (data byte numbers of the responses).
inline constexpr size_t kIdentOptionByte = 4;  // bit 3: LSB first; bit 5: 19-byte state records
inline constexpr size_t kIdentTypeByte = 6;
inline constexpr size_t kIdentParameterPasswordByte = 40;  // bit 7: parameter password in use
inline constexpr size_t kConfigPipelines = 16;
inline constexpr size_t kConfigFlags = 17;  // + pipeline index
inline constexpr size_t kConfigDifferentialUnit = 36;
inline constexpr size_t kConfigPressureUnit = 37;
inline constexpr size_t kConfigParameterBytes = 43;  // + pipeline index
inline constexpr size_t kConfigVariantBytes = 71;    // + pipeline index
inline constexpr size_t kConfigTransmitter1 = 90;    // 5-byte HART long address
inline constexpr size_t kConfigTransmitter2 = 95;
inline constexpr size_t kConfigSensorKinds = 100;  // + pipeline index

// Pipeline limits, the same for every pipeline: pressure in kgf/cm2, differential pressure in kgf/m2,
// temperature in degrees Celsius, flow in m3/h, density in kg/m3.
struct PipelineLimits {
  float pressureLow = 0.0f, pressureHigh = 16.0f;
  float differentialLow = 0.0f, differentialHigh = 2500.0f;
  float temperatureLow = -40.0f, temperatureHigh = 60.0f;
  float flowLow = 0.0f, flowHigh = 1000.0f;
  float densityLow = 0.66f, densityHigh = 0.9f;
};

void BuildIdentification(const FlowComputerConfig& config, uint8_t* data);
// units: the pressure and differential-pressure unit codes of the units block in memory.
void BuildConfiguration(const FlowComputerConfig& config, uint8_t pressureUnit, uint8_t differentialUnit,
                        const std::array<uint8_t, 5>& transmitter1,
                        const std::array<uint8_t, 5>& transmitter2, uint8_t* data);
void BuildParameterBlock(const FlowComputerConfig& config, uint8_t* data);
void BuildBlock22(uint8_t serviceSeconds, uint8_t* data);
// The 63-byte pipeline parameter record (response data bytes 1..63).
void BuildPipelineRecord(const FlowComputerConfig& config, uint8_t* record);
// A pipeline's state record after power-up: normal work, pressure and temperature measured.
void BuildInitialStateRecord(const FlowComputerConfig& config, uint8_t* record);

}  // namespace ruvenset::sim
