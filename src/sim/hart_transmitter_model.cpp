#include "sim/hart_transmitter_model.h"

#include <cstring>

#include "sim/hart_frame.h"

namespace ruvenset::sim {
namespace {

constexpr double kPaPerKgfCm2 = 98066.5;
constexpr double kPaPerKgfM2 = 9.80665;

// Response codes and the field device status bit "configuration changed".
constexpr uint8_t kTooFewDataBytes = 5;
constexpr uint8_t kInvalidSelection = 2;
constexpr uint8_t kCommandNotImplemented = 64;
constexpr uint8_t kConfigurationChanged = 0x40;
constexpr uint8_t kResponsePreambles = 5;

double PascalPerUnit(uint8_t unit) {
  switch (unit) {
    case kHartInH2O:
      return 249.08891;
    case kHartMmH2O:
      return 9.80665;
    case kHartPsi:
      return 6894.757;
    case kHartBar:
      return 100000.0;
    case kHartKgfCm2:
      return kPaPerKgfCm2;
    case kHartKPa:
      return 1000.0;
    case kHartMPa:
      return 1.0e6;
    default:
      return 0.0;
  }
}

void PutFloat(std::vector<uint8_t>& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

}  // namespace

bool ToHartUnit(HartVariable variable, const AppliedInputs& inputs, uint8_t unit, double& value) {
  switch (variable) {
    case HartVariable::Pressure:
    case HartVariable::Differential: {
      const double perUnit = PascalPerUnit(unit);
      if (perUnit == 0.0) return false;
      const double pascal = variable == HartVariable::Pressure ? inputs.pressure * kPaPerKgfCm2
                                                               : inputs.differential * kPaPerKgfM2;
      value = pascal / perUnit;
      return true;
    }
    case HartVariable::Temperature:
      value = inputs.temperature;
      return unit == kHartDegC;
    case HartVariable::Flow:
      value = inputs.flow;
      return unit == kHartM3PerHour;
  }
  return false;
}

HartTransmitterModel::HartTransmitterModel(const HartTransmitterConfig& config) : config_(config) {}

HartTransmitterModel HartTransmitterModel::Make3051(uint8_t pollAddress, HartVariable measures, uint8_t unit,
                                                    std::array<uint8_t, 3> deviceId) {
  HartTransmitterConfig c;
  c.pollAddress = pollAddress;
  c.deviceType = 0x06;
  c.deviceId = deviceId;
  c.primary = measures;
  c.units[static_cast<size_t>(measures)] = unit;
  return HartTransmitterModel(c);
}

HartTransmitterModel HartTransmitterModel::Make3095(uint8_t pollAddress, std::array<uint8_t, 3> deviceId) {
  HartTransmitterConfig c;
  c.multivariable = true;
  c.pollAddress = pollAddress;
  c.deviceType = 0x0C;
  c.deviceId = deviceId;
  c.primary = HartVariable::Differential;
  return HartTransmitterModel(c);
}

std::array<uint8_t, 5> HartTransmitterModel::LongAddress() const {
  return {static_cast<uint8_t>(config_.manufacturer & 0x3F), config_.deviceType, config_.deviceId[0],
          config_.deviceId[1], config_.deviceId[2]};
}

double HartTransmitterModel::Raw(HartVariable variable, const AppliedInputs& inputs) const {
  double value = 0.0;
  ToHartUnit(variable, inputs, config_.units[static_cast<size_t>(variable)], value);
  return value;
}

float HartTransmitterModel::Reading(HartVariable variable, const AppliedInputs& inputs) const {
  return static_cast<float>(Raw(variable, inputs) - zero_[static_cast<size_t>(variable)]);
}

bool HartTransmitterModel::Addressed(bool longFrame, const uint8_t* address) const {
  if (!longFrame) return (address[0] & 0x3F) == config_.pollAddress;
  const auto own = LongAddress();
  return (address[0] & 0x3F) == own[0] && std::memcmp(address + 1, own.data() + 1, 4) == 0;
}

bool HartTransmitterModel::Zeroable(uint8_t variable) const {
  if (config_.multivariable) return variable <= static_cast<uint8_t>(HartVariable::Pressure);
  return variable == 0;
}

bool HartTransmitterModel::Handle(const uint8_t* request, size_t size, const AppliedInputs& inputs,
                                  std::vector<uint8_t>& response) {
  HartRequest r;
  if (!ParseHartRequest(request, size, r) || !Addressed(r.longFrame, r.address)) return false;
  if (!r.longFrame && r.command != 0) return false;

  uint8_t code = 0;
  uint8_t status = 0;
  std::vector<uint8_t> data;
  const HartVariable primary = config_.multivariable ? HartVariable::Differential : config_.primary;
  switch (r.command) {
    case 0: {
      const auto id = config_.deviceId;
      data = {254,  config_.manufacturer, config_.deviceType, kResponsePreambles, 5, 1, 1, 1, 0, id[0], id[1],
              id[2]};
      break;
    }
    case 1:
      data.push_back(config_.units[static_cast<size_t>(primary)]);
      PutFloat(data, Reading(primary, inputs));
      break;
    case 110:
      if (!config_.multivariable) {
        code = kCommandNotImplemented;
        break;
      }
      for (size_t v = 0; v < 4; ++v) {
        data.push_back(config_.units[v]);
        PutFloat(data, Reading(static_cast<HartVariable>(v), inputs));
      }
      break;
    case 43:
      zero_[static_cast<size_t>(primary)] = Raw(primary, inputs);
      status = kConfigurationChanged;
      break;
    case 52: {
      if (r.byteCount < 1) {
        code = kTooFewDataBytes;
        break;
      }
      const uint8_t variable = r.data[0];
      data.push_back(variable);
      if (!Zeroable(variable)) {
        code = kInvalidSelection;
        break;
      }
      const HartVariable v = config_.multivariable ? static_cast<HartVariable>(variable) : primary;
      zero_[static_cast<size_t>(v)] = Raw(v, inputs);
      status = kConfigurationChanged;
      break;
    }
    default:
      code = kCommandNotImplemented;
      break;
  }

  const size_t addressSize = r.longFrame ? kHartLongAddressSize : 1;
  response.clear();
  response.push_back(r.longFrame ? kHartLongResponse : kHartShortResponse);
  response.insert(response.end(), r.address, r.address + addressSize);
  response.push_back(r.command);
  response.push_back(static_cast<uint8_t>(2 + data.size()));
  response.push_back(code);
  response.push_back(status);
  response.insert(response.end(), data.begin(), data.end());
  response.push_back(HartParity(response.data(), response.size()));
  return true;
}

}  // namespace ruvenset::sim
