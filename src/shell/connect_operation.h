#pragma once
#include <memory>
#include <string>

#include "device/connect_sequence.h"
#include "link/connect.h"
#include "link/posix_serial_port.h"

namespace ruvenset {

enum class ConnectResult { Connected, PortFailed, NoFlowComputer, Abandoned, Refused };

// The text of language text 1456: the port number and the speed, for the connection panel.
std::string ConnectionPanelText(const ProgramState& state);

// Why a port did not open, in the technician's language: language text 2855 with the slot number, and
// for the usual Linux causes a plain second line (the dialout group, a port in use, a missing adapter).
std::string PortFailureText(const ProgramState& state, const std::string& path, const PortOpenResult& result);

// Opens the configured port slot (or `pathOverride`), finds the flow computer (speed search or one
// link check), then runs the connect sequence. Every failure is shown to the technician and leaves the
// port closed.
ConnectResult ConnectToFlowComputer(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                    const PortOpener& opener, const std::string& pathOverride = "");

}  // namespace ruvenset
