#include "sim/sim_options.h"

namespace ruvenset::sim {

FlowComputerConfig ModelConfigOf(const SimOptions& options) {
  FlowComputerConfig c;
  c.model = options.model;
  c.version = options.version;
  c.address = options.address;
  c.lsb = options.lsb;
  c.password = options.password;
  c.parameterPassword = options.parameterPassword;
  c.pipelines = options.pipelines;
  c.seed = options.seed;
  return c;
}

}  // namespace ruvenset::sim
