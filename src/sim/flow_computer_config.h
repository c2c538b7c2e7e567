#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "sim/sim_defaults.h"

namespace ruvenset::sim {

struct FlowComputerConfig {
  int model = kDefaultModel;
  int version = kDefaultVersion;
  int revision = kDefaultRevision;
  int address = kDefaultAddress;
  bool lsb = false;  // floats and words least significant byte first
  // Identification option bits (data byte 4) besides the byte order bit 3. Bit 5: the state record's
  // density constant is a float.
  uint8_t options = 0x20;
  std::string password = kDefaultPassword;  // UTF-8; compared in code page 866, blank padded to 16
  std::string parameterPassword;            // empty: the flow computer protects nothing with it
  int pipelines = kDefaultPipelines;        // 1..kMaxPipelines
  uint32_t seed = 1;                        // of the ADC code jitter
  uint32_t identificationCode = kDefaultIdentificationCode;
};

// Text as the flow computer keeps it: code page 866, cut or padded with spaces to 16 bytes.
std::array<uint8_t, 16> PaddedDeviceText(const std::string& utf8);

// The pipeline flag byte the simulator gives every pipeline of a model: a volume meter (bit 7) except
// on model 7, whose pipelines measure with one differential-pressure sensor.
uint8_t PipelineFlagByte(int model);

}  // namespace ruvenset::sim
