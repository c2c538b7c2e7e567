#pragma once
#include <string_view>

namespace ruvenset::sim {

// What the technician applies to the flow computer's sensors. Pressure is in kgf/cm2, differential
// pressure in kgf/m2 (the flow computer's default units), temperatures in degrees Celsius, flow in m3/h.
struct AppliedInputs {
  double temperature = 20.0;
  double pressure = 1.0332;
  double differential = 0.0;
  double ambient = 20.0;
  double flow = 0.0;
};

enum class InputChannel { Temperature, Pressure, Differential, Ambient, Flow };

// Accepts the control names: temperature (t), pressure (p), dp, ambient (tamb), flow.
bool ParseInputChannel(std::string_view name, InputChannel& channel);
double& InputValue(AppliedInputs& inputs, InputChannel channel);

}  // namespace ruvenset::sim
