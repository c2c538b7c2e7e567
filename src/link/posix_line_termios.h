#pragma once
#include "link/serial_port.h"

namespace ruvenset {

// Sets a terminal raw: the given speed (any value, through the kernel's termios2 interface, so speeds
// such as 3200 or 14400 that have no B-constant work too), 8 data bits, the given parity, one stop
// bit, receiver on, modem lines ignored, no flow control, no echo or line editing.
bool SetTerminalLine(int fd, const LineSettings& line);

// Reads the speed and parity of a terminal; on a pseudo-terminal master this reports the slave's
// settings (the parity as it was asked for, although a pseudo-terminal carries none).
bool GetTerminalLine(int fd, LineSettings& line);

}  // namespace ruvenset
