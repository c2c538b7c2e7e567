#include "device/format_value.h"

#include "common/adaptive_format.h"
#include "common/unit_tables.h"

namespace ruvenset {

std::string FormatValue(const ProgramState& state, int kind, float value, bool scale) {
  float factor = 1.0f;
  if (scale) {
    factor = kind == 0 ? PressureUnitFactor(state.record.pressureUnit(), state.units.pressure)
                       : DiffPressureUnitFactor(state.record.diffPressureUnit(), state.units.diffPressure);
  }
  return FormatAdaptive(value * factor);
}

}  // namespace ruvenset
