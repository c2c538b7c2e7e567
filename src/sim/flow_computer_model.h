#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "common/byte_order.h"
#include "sim/applied_inputs.h"
#include "sim/device_blocks.h"
#include "sim/flow_computer_config.h"
#include "sim/hart_transmitter_model.h"
#include "sim/measurement.h"

namespace ruvenset::sim {

// Refusal codes (response data byte 0 of a refusal) that the simulated flow computer uses, numbered as
// the language catalogues word them (text 1914 + code).
enum RefusalCode : uint8_t {
  kRefuseWrongPassword = 1,            // "wrong password"
  kRefuseBadRequest = 2,               // "wrong request length"
  kRefuseBadMemoryRange = 8,           // "memory address not allowed"
  kRefuseNoSuchChannel = 12,           // "channel number %d not allowed (pipeline %d)"
  kRefuseWrongParameterPassword = 16,  // "wrong parameter password"
  kRefuseBadCheckBytes = 24,           // "wrong check sum of the memory block"
  kRefuseTransmitterSilent = 58,       // "no link with the HART transmitter"
  kRefuseAlreadyInService = 59,        // "pipeline already in service mode"
  kRefuseNoSuchPipeline = 66,          // "pipeline number not allowed: %d"
};

inline constexpr uint8_t kStateNormal = 0;
inline constexpr uint8_t kStateService = 3;

// One measurement cycle as the flow computer sees it.
struct MeasurementSnapshot {
  uint32_t pressureCode = 0, temperatureCode = 0, differentialCode = 0;
  uint16_t ambientCode = 0;
  ChannelReading pressure, temperature, differential, ambient;
};

// The flow computer's protocol and state, without any I/O: frames in, frames out, time as a parameter.
class FlowComputerModel {
 public:
  explicit FlowComputerModel(const FlowComputerConfig& config);

  // A whole request frame (start byte through check bytes). Returns false when the flow computer stays
  // silent (not a request, a bad check, another address); otherwise the response frame.
  bool HandleRequest(const uint8_t* frame, size_t size, int64_t nowNs, std::vector<uint8_t>& response);

  AppliedInputs& inputs() { return inputs_; }
  const AppliedInputs& inputs() const { return inputs_; }
  // The next request with this command is refused with these three bytes.
  void RefuseNext(uint8_t command, uint8_t code, uint8_t a, uint8_t b);
  // Sets a pipeline's state at once, cancelling a pending change; false for no such pipeline.
  bool ForceState(int pipeline, uint8_t state);
  // A pipeline's state at nowNs; -1 for no such pipeline.
  int State(int pipeline, int64_t nowNs);
  void SetServiceDelayMs(int64_t ms);
  int64_t serviceDelayMs() const { return serviceDelayMs_; }
  void SetCodeJitter(int codes) { jitter_ = codes < 0 ? 0 : codes; }

  MeasurementSnapshot Measure(int64_t nowNs) const;
  // The new-measurement counter of every channel (0..127, one step per measurement cycle).
  static uint8_t Marker(int64_t nowNs);

  const uint8_t* memory() const { return memory_.data(); }
  // The memory itself, for a scenario that needs contents no write would store (damaged counts).
  uint8_t* mutableMemory() { return memory_.data(); }
  DeviceByteOrder order() const { return order_; }
  const FlowComputerConfig& config() const { return config_; }
  bool hasDifferentialChannel() const { return hasDifferential_; }
  uint32_t answered() const { return answered_; }
  HartTransmitterModel& transmitter(size_t index) { return transmitters_[index]; }

 private:
  struct Pipeline {
    std::array<uint8_t, kStateRecordSize> record{};
    uint8_t state = kStateNormal;
    bool pending = false;
    uint8_t pendingState = kStateNormal;
    int64_t dueNs = 0;
  };
  struct Refusal {
    uint8_t code, a, b;
  };

  void Settle(int64_t nowNs);
  void Answer(const uint8_t* request, uint8_t command, const uint8_t* data, size_t size,
              std::vector<uint8_t>& response) const;
  void Refuse(const uint8_t* request, uint8_t code, uint8_t a, uint8_t b,
              std::vector<uint8_t>& response) const;
  bool PasswordMatches(const uint8_t* at) const;
  bool ParameterPasswordMatches(const uint8_t* at) const;
  Pipeline* FindPipeline(uint8_t number);

  void Dispatch(const uint8_t* f, size_t size, int64_t nowNs, std::vector<uint8_t>& response);
  void ReadConfiguration(const uint8_t* f, std::vector<uint8_t>& response) const;
  void SelectLine(const uint8_t* f, size_t size, std::vector<uint8_t>& response);
  void WriteState(const uint8_t* f, size_t size, std::vector<uint8_t>& response);
  void PipelineRecord(const uint8_t* f, size_t size, std::vector<uint8_t>& response);
  void RelayHart(const uint8_t* f, size_t size, std::vector<uint8_t>& response);
  void Measurement(const uint8_t* f, size_t size, int64_t nowNs, std::vector<uint8_t>& response);
  void EnterService(const uint8_t* f, size_t size, int64_t nowNs, std::vector<uint8_t>& response);
  void LeaveService(const uint8_t* f, size_t size, int64_t nowNs, std::vector<uint8_t>& response);
  void ReadMemory(const uint8_t* f, size_t size, std::vector<uint8_t>& response) const;
  void WriteMemory(const uint8_t* f, size_t size, std::vector<uint8_t>& response);
  void Markers(const uint8_t* f, int64_t nowNs, std::vector<uint8_t>& response) const;

  FlowComputerConfig config_;
  DeviceByteOrder order_;
  bool hasDifferential_;
  std::array<uint8_t, 16> password_;
  std::array<uint8_t, 16> parameterPassword_;
  std::vector<uint8_t> memory_;
  std::vector<Pipeline> pipelines_;
  std::map<uint8_t, Refusal> refusals_;
  std::array<HartTransmitterModel, 2> transmitters_;
  AppliedInputs inputs_;
  int64_t serviceDelayMs_;
  int jitter_;
  uint32_t answered_ = 0;
};

}  // namespace ruvenset::sim
