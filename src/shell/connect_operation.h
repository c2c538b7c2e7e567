#pragma once
#include <memory>
#include <string>

#include "device/connect_sequence.h"
#include "link/connect.h"
#include "link/port_open.h"

namespace ruvenset {

enum class ConnectResult { Connected, PortFailed, NoFlowComputer, Abandoned, Refused };

// The port and the speed for the connection panel: language text 1456 with the slot number, or with a
// port given at start its path (the simulated flow computer named as such).
std::string ConnectionPanelText(const ProgramState& state);

// The device given at start as the technician reads it: its path, or the simulated flow computer.
std::string GivenPortName(const ProgramState& state);

// Why a port did not open, in the technician's language: language text 2855 with the slot number (a
// device other than the slot's: its path), and
// for the usual Linux causes a plain second line (the dialout group, a port in use, a missing adapter).
std::string PortFailureText(const ProgramState& state, const std::string& path, const PortOpenResult& result);

// Opens `pathOverride`, else the port given at start, else the configured port slot; finds the flow computer
// (speed search or one link check), then runs the connect sequence. Every failure is shown to the technician
// and leaves the port closed.
ConnectResult ConnectToFlowComputer(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                    const PortOpener& opener, const std::string& pathOverride = "");

}  // namespace ruvenset
