#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/stop_signal.h"
#include "link/serial_port.h"

namespace ruvenset::cli {

// Exit code of a command that Ctrl-C or SIGTERM stopped.
inline constexpr int kExitStopped = 130;

// Ctrl-C and SIGTERM (on Windows Ctrl-C, Ctrl-Break and closing the console) request `stop` (the
// link's): the wait for an answer ends as if none had come and the command leaves through its ordinary
// exits. A second one ends the process at once, after sending the armed leave request (below) when
// there is one.
void InstallStopHandlers(StopSignal& stop);
// The link is going away: a later Ctrl-C or SIGTERM only counts.
void ForgetStop();
// Whether Ctrl-C or SIGTERM came.
bool StopWasRequested();
// Whether Ctrl-C or SIGTERM came, for a step that ends at it (readings, a wait for the next point): a stop
// that no exchange has used up yet is dropped, so that the way out, leaving service mode, is not stopped
// by it.
bool StopEndsTheStep(StopSignal& stop);

// The leave request that a second Ctrl-C sends on its way out while the flow computer may be in service
// mode: the whole transmission (preambles and frame) of at most kLastLeaveCapacity bytes, sent through
// `port` once, its answer awaited for answerWaitMs at most.
inline constexpr size_t kLastLeaveCapacity = 64;
void ArmLastLeave(SerialPort& port, const uint8_t* transmission, size_t size, bool keyRts, int answerWaitMs);
void DisarmLastLeave();

// How the wait for a line on standard input ended.
enum class [[nodiscard]] InputLine{Read, EndOfInput, Stopped};
// Waits for one line on standard input (kept in `line` without its line end), or for Ctrl-C or SIGTERM,
// whichever comes first; a stop that came before returns Stopped at once. A stop ends the step as with
// StopEndsTheStep.
InputLine WaitForInputLine(StopSignal& stop, std::string& line);

}  // namespace ruvenset::cli
