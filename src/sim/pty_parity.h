#pragma once

namespace ruvenset::sim {

// Whether the client of a pseudo-terminal asked for odd parity. Linux clears PARENB in a pseudo-
// terminal's settings (there is no parity on it) but keeps PARODD, so this reads PARODD through the
// master; GetTerminalLine, which looks at PARENB, reports no parity there.
bool OddParityRequested(int masterFd);

}  // namespace ruvenset::sim
