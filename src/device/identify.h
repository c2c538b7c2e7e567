#pragma once
#include <span>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

enum class [[nodiscard]] IdentifyResult{Served, LinkFailed, Refused};

// Identification data bytes a flow computer other than an old one sends at least: through the option
// byte 40.
inline constexpr int kIdentificationDataNeeded = 41;

// Fills the identification from a response frame (from its start byte, as long as its length byte
// says): type, extended flag, version, revision, byte order. An old flow computer (length byte 7) is
// type 0, version 1, without options. False when the frame is too short for an identification.
[[nodiscard]] bool ParseIdentification(std::span<const uint8_t> frame, Identification& id);

// The flow computer models 3, 7, 8, 9, 16, 18 and 20: they want their preambles inside the RTS hold,
// report new-measurement markers, and carry the reference HART transmitter on their own line.
bool IsMarkerModel(int type);

// Whether the flow computer wants its preambles inside the RTS hold.
int PreambleInRtsForType(int type);

// The version check. Returns 0 when served; otherwise the language texts of the notice's two lines
// (the second may carry the suffix "20").
struct VersionVerdict {
  bool served = true;
  int line1 = 0;
  int line2 = 0;
  const char* suffix = "";
};
VersionVerdict CheckVersion(const Identification& id);

// Reads the identification (command 0x0C), sets the identification variables and the link's view of
// the device, and runs the version check; a refused device gets the notice window.
IdentifyResult Identify(ProgramState& state, Technician& technician);

}  // namespace ruvenset
