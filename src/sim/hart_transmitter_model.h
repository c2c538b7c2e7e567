#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/applied_inputs.h"

namespace ruvenset::sim {

// The dynamic variables of a transmitter, numbered as a multivariable transmitter reports them.
enum class HartVariable : uint8_t { Differential = 0, Pressure = 1, Temperature = 2, Flow = 3 };

// HART unit codes the transmitters use.
inline constexpr uint8_t kHartInH2O = 1, kHartMmH2O = 4, kHartPsi = 6, kHartBar = 7, kHartKgfCm2 = 10,
                         kHartKPa = 12, kHartMPa = 237, kHartDegC = 32, kHartM3PerHour = 19;

// An applied input expressed in a HART unit; false when the unit does not measure that variable.
bool ToHartUnit(HartVariable variable, const AppliedInputs& inputs, uint8_t unit, double& value);

struct HartTransmitterConfig {
  bool multivariable = false;  // "3095": command 110 and four variables; otherwise a "3051"
  uint8_t pollAddress = 0;
  uint8_t manufacturer = 0x26;
  uint8_t deviceType = 0x06;
  std::array<uint8_t, 3> deviceId{};
  HartVariable primary = HartVariable::Pressure;  // what a 3051 measures (a 3095's primary is dp)
  std::array<uint8_t, 4> units{kHartKPa, kHartKPa, kHartDegC, kHartM3PerHour};  // by HartVariable
};

// A HART field device: answers commands 0 (short or long frame), 1, 110 (3095 only), 43 and 52 as a
// transmitter of the HART 5 universal and common-practice command sets does.
class HartTransmitterModel {
 public:
  explicit HartTransmitterModel(const HartTransmitterConfig& config);
  static HartTransmitterModel Make3051(uint8_t pollAddress, HartVariable measures, uint8_t unit,
                                       std::array<uint8_t, 3> deviceId);
  static HartTransmitterModel Make3095(uint8_t pollAddress, std::array<uint8_t, 3> deviceId);

  // request: delimiter through check byte. Returns false (silence) when the frame is not a valid
  // request addressed to this transmitter; otherwise the response from its delimiter through its check.
  bool Handle(const uint8_t* request, size_t size, const AppliedInputs& inputs,
              std::vector<uint8_t>& response);

  // The 5-byte long address of later requests, as command 0 reports it.
  std::array<uint8_t, 5> LongAddress() const;
  // A variable as the transmitter reports it: in its unit, less the zero correction set so far.
  float Reading(HartVariable variable, const AppliedInputs& inputs) const;
  const HartTransmitterConfig& config() const { return config_; }

 private:
  bool Addressed(bool longFrame, const uint8_t* address) const;
  bool Zeroable(uint8_t variable) const;
  double Raw(HartVariable variable, const AppliedInputs& inputs) const;

  HartTransmitterConfig config_;
  std::array<double, 4> zero_{};  // the raw reading at the last zero setting, by variable
};

}  // namespace ruvenset::sim
