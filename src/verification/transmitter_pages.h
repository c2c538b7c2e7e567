#pragma once
#include <string>

#include "link/port_open.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_link.h"
#include "verification/verification_pages.h"

namespace ruvenset {

enum class [[nodiscard]] TransmitterPagesResult{Chosen, Cancelled};

// The pages that choose the polled reference transmitter, captioned `caption`: the transmitter and its
// port, shown again until a valid polling address is given and its link opens, then, for a 3095, the
// variable it reports. `choice` comes in as the pages' preset and goes out as what was chosen; when
// Chosen, `link` is open and aimed at the transmitter.
TransmitterPagesResult ChooseReferenceTransmitter(ProgramState& state, Technician& technician,
                                                  VerificationPages& pages, const std::string& caption,
                                                  const PortOpener& opener, TransmitterChoice& choice,
                                                  HartLink& link);

}  // namespace ruvenset
