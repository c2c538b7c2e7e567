#pragma once
#include <cstdint>

#include "session/connection_record.h"

namespace ruvenset {

// Measured quantities a flow computer can replace by constants, as the constants dialog groups them.
enum class ConstantChannel { Pressure, Temperature, DiffPressure, Density };

struct ConstantChoice {
  bool measured = true;
  float constant = 0;
};

// The four groups of the constants dialog; density takes part only while its group is shown.
struct ConstantsChoices {
  ConstantChoice pressure;
  ConstantChoice temperature;
  ConstantChoice diffPressure;
  ConstantChoice density;
  bool densityShown = false;
};

// Reads one group's choice from a pipeline state record (host-order floats).
ConstantChoice ReadConstantChoice(const uint8_t* stateRecord, ConstantChannel channel);
ConstantsChoices ReadConstantsChoices(const uint8_t* stateRecord, bool densityShown);

// Merges one choice into a state record: measured sets the channel's flag bit(s); constant clears them
// and stores the value. A differential-pressure pipeline with upper and lower sensors (flag byte bit 4
// set, bit 7 clear) has two flag bits.
void ApplyConstantChoice(uint8_t* stateRecord, uint8_t pipelineFlag, ConstantChannel channel,
                         const ConstantChoice& choice);

// Mode 0: all groups of the dialog. Mode 1: the differential-pressure choice. Mode 2: the channel of the
// channel kind (0 pressure, 1 temperature, 2 or 3 differential pressure, 4 density), taken from `single`.
// Returns 1 when the record now differs from `saved`, else 0.
int ApplyConstants(uint8_t* stateRecord, const uint8_t* saved, uint8_t pipelineFlag, int mode,
                   const ConstantsChoices& choices, int channelKind, const ConstantChoice& single);

}  // namespace ruvenset
