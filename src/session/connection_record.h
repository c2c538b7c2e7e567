#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "common/byte_order.h"

namespace ruvenset {

inline constexpr int kMaxPipelines = 8;
inline constexpr int kPasswordSize = 16;
inline constexpr int kIdentificationSize = 58;
inline constexpr int kConfigurationSize = 110;
inline constexpr int kParameterBlockSize = 226;
inline constexpr int kBlock22Size = 31;
inline constexpr int kPipelineParametersSize = 63;
inline constexpr int kPipelineStateSize = 19;

// What the connect sequence learned from the identification response (data byte k = response byte 4 + k).
struct Identification {
  int type = 0;  // model code; 10..14 are reported as 4..8 with `extended` set
  bool extended = false;
  int version = 0;  // software version
  int revision = 0;
  DeviceByteOrder byteOrder = DeviceByteOrder::MsbFirst;
  uint8_t response[kIdentificationSize] = {};  // the response from its start byte

  // Identification data byte k (0 beyond what an old flow computer sent).
  uint8_t data(int k) const { return k >= 0 && k + 4 < kIdentificationSize ? response[4 + k] : 0; }
  bool oldDevice() const { return response[2] == 7; }
};

// One connection to a flow computer: copies of what the connect sequence read, and the passwords.
struct ConnectionRecord {
  char name[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  Identification id;
  uint8_t configuration[kConfigurationSize] = {};
  uint8_t parameters[kParameterBlockSize] = {};
  uint8_t block22[kBlock22Size] = {};
  uint8_t pipelineParameters[kMaxPipelines][kPipelineParametersSize] = {};
  uint8_t pipelineState[kMaxPipelines][kPipelineStateSize] = {};
  uint8_t pipelineStateNibble[kMaxPipelines] = {};
  std::string identificationText;      // as Unicode (UTF-8)
  int derived[kMaxPipelines][2] = {};  // [0] is the measurement method code
  uint8_t writePassword[kPasswordSize];
  uint8_t parameterPassword[kPasswordSize];
  uint8_t previousParameterPassword[kPasswordSize];
  bool parameterPasswordEntered = false;
  int currentPipeline = 1;

  ConnectionRecord();
  // Number of pipelines the configuration block announces, within what the record can hold.
  int pipelineCount() const;
  // Flag byte (configuration data byte 17 + p) and parameter byte (43 + p) of pipeline p = 0..n-1.
  uint8_t pipelineFlag(int p) const { return p >= 0 && p < 26 ? configuration[17 + p] : 0; }
  uint8_t pipelineParameterByte(int p) const { return p >= 0 && p < 26 ? configuration[43 + p] : 0; }
  // The state record of pipeline i = 1..n; its byte 0 is the pipeline's state.
  uint8_t* stateRecord(int pipeline) { return pipelineState[ClampPipeline(pipeline) - 1]; }
  int pipelineStateByte(int pipeline) const { return pipelineState[ClampPipeline(pipeline) - 1][0]; }
  int pressureUnit() const { return configuration[37]; }
  int diffPressureUnit() const { return configuration[36]; }

  static int ClampPipeline(int pipeline) {
    return pipeline < 1 ? 1 : pipeline > kMaxPipelines ? kMaxPipelines : pipeline;
  }
};

}  // namespace ruvenset
