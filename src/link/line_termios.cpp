// termios2 lives in the kernel's headers, which clash with <termios.h>: this file includes only them.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "link/line_termios.h"

namespace ruvenset {

bool SetTerminalLine(int fd, const LineSettings& line) {
  struct termios2 tio {};
  if (::ioctl(fd, TCGETS2, &tio) != 0) return false;
  tio.c_iflag = IGNBRK;
  tio.c_oflag = 0;
  tio.c_lflag = 0;
  tio.c_cflag = CS8 | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
  if (line.parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
  tio.c_ispeed = static_cast<speed_t>(line.bitsPerSecond);
  tio.c_ospeed = static_cast<speed_t>(line.bitsPerSecond);
  for (auto& cc : tio.c_cc) cc = 0;
  return ::ioctl(fd, TCSETS2, &tio) == 0;
}

bool GetTerminalLine(int fd, LineSettings& line) {
  struct termios2 tio {};
  if (::ioctl(fd, TCGETS2, &tio) != 0) return false;
  line.bitsPerSecond = static_cast<int>(tio.c_ospeed);
  // A pseudo-terminal clears PARENB whatever was asked but keeps PARODD; this program never sets
  // one without the other, so either bit means odd parity was asked for.
  line.parity = (tio.c_cflag & (PARENB | PARODD)) ? Parity::Odd : Parity::None;
  return true;
}

}  // namespace ruvenset
