#pragma once
#include "link/port_open.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_link.h"

namespace ruvenset {

// Shows the HART message window for a status (nothing for a status without a text).
void ShowHartMessage(const ProgramState& state, Technician& technician, int status);

// Opens the link to the reference transmitter the technician chose: the flow computer's own line for
// the models that carry HART on it, otherwise the chosen port (through `opener`); then identifies the
// transmitter with command 0 until it answers or the technician gives up. On the flow computer's line
// the port is back at the flow computer's settings afterwards. False leaves the link released.
bool OpenTransmitterLink(ProgramState& state, Technician& technician, const TransmitterChoice& choice,
                         const PortOpener& opener, HartLink& link);

// Closes the transmitter's own port (if one was opened) and frees the exchange buffer.
void ReleaseTransmitterLink(HartLink& link);

}  // namespace ruvenset
