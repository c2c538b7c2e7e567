#pragma once
#include <string>

#include "device/device_prompts.h"
#include "device/service_operations.h"
#include "link/port_open.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_link.h"
#include "verification/protocol_pages.h"
#include "verification/verification_pages.h"
#include "verification/wall_clock.h"

namespace ruvenset {

// What a run remembers from one verification to the next.
struct VerificationSettings {
  bool pollReference = false;
  TransmitterChoice transmitter;
  float atmosphericPressure = 0;  // flow computer's pressure unit; 0 until the technician enters one
};

// The windows and services a verification talks through.
struct VerificationTools {
  PasswordPrompt& passwords;
  ValuePrompts& prompts;
  VerificationPages& pages;
  ServiceWindowHost& serviceHost;
  PortOpener opener;  // opens the transmitter's own port
  WallClock& wallClock;
  ProtocolPages& protocol;
};

enum class VerificationResult {
  Finished,           // measured and left service mode
  Cancelled,          // a page was cancelled before service mode
  Abandoned,          // a read failed and the technician gave up, or the data file could not be set up
  ServiceModeFailed,  // entering service mode failed
  LeaveFailed,        // measured, but leaving service mode failed
};

// The verification of one channel kind of pipeline 1: preparation, the wizard pages, service mode, the
// measuring window, and service mode left again; then, when the window took points, the protocol. The
// transmitter link and the data file are released on every way out.
VerificationResult RunVerification(ProgramState& state, Technician& technician, VerificationTools& tools,
                                   VerificationSettings& settings, int channelKind);

}  // namespace ruvenset
