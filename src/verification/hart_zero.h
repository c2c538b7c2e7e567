#pragma once
#include <cstdint>

#include "device/device_prompts.h"
#include "device/service_operations.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_frame.h"

namespace ruvenset {

// Which of the flow computer's own HART transmitters (1 or 2) a zero entry addresses, from the
// pipeline's sensor-kind byte; 0 when the channel has none.
int HartZeroTransmitter(uint8_t sensorKinds, bool lowerRange);

// The outcome text of a zero relayed through the flow computer: `hart` is the transmitter's response
// from its delimiter (size bytes available), `identity` the address the request carried.
int RelayedZeroTextId(const uint8_t* hart, int size, const uint8_t identity[kHartIdentitySize]);

enum class HartZeroResult { NoTransmitter, Declined, Done, Failed };

// The zero of the flow computer's own differential-pressure transmitter (the zero entries of the
// differential-pressure menus): asks first, then zeroes the transmitter either directly on the flow
// computer's line inside service mode (models 9 and 19) or through the flow computer (command 0x0B),
// and shows the outcome.
HartZeroResult RunHartZero(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                           ServiceWindowHost& serviceHost, bool lowerRange);

}  // namespace ruvenset
