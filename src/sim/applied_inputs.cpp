#include "sim/applied_inputs.h"

namespace ruvenset::sim {

bool ParseInputChannel(std::string_view name, InputChannel& channel) {
  struct Name {
    std::string_view text;
    InputChannel channel;
  };
  static constexpr Name kNames[] = {
      {"temperature", InputChannel::Temperature},
      {"t", InputChannel::Temperature},
      {"pressure", InputChannel::Pressure},
      {"p", InputChannel::Pressure},
      {"dp", InputChannel::Differential},
      {"ambient", InputChannel::Ambient},
      {"tamb", InputChannel::Ambient},
      {"flow", InputChannel::Flow},
  };
  for (const Name& n : kNames) {
    if (n.text == name) {
      channel = n.channel;
      return true;
    }
  }
  return false;
}

double& InputValue(AppliedInputs& inputs, InputChannel channel) {
  switch (channel) {
    case InputChannel::Temperature:
      return inputs.temperature;
    case InputChannel::Pressure:
      return inputs.pressure;
    case InputChannel::Differential:
      return inputs.differential;
    case InputChannel::Ambient:
      return inputs.ambient;
    case InputChannel::Flow:
      break;
  }
  return inputs.flow;
}

}  // namespace ruvenset::sim
