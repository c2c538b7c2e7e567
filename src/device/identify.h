#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// Results of Identify.
inline constexpr int kIdentifyServed = 0;
inline constexpr int kIdentifyLinkFailed = 1;
inline constexpr int kIdentifyRefused = 2;

// Fills the identification from a response frame (from its start byte): type, extended flag, version,
// revision, byte order. An old flow computer (length byte 7) is type 0, version 1, without options.
void ParseIdentification(const uint8_t* response, Identification& id);

// The flow computer models 3, 7, 8, 9, 16, 18 and 20: they want their preambles inside the RTS hold,
// report new-measurement markers, and carry the reference HART transmitter on their own line.
bool IsMarkerModel(int type);

// Whether the flow computer wants its preambles inside the RTS hold.
inline int PreambleInRtsForType(int type) {
  return IsMarkerModel(type) ? 1 : 0;
}

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
int Identify(ProgramState& state, Technician& technician);

}  // namespace ruvenset
