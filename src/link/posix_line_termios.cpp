// termios2 lives in the kernel's headers, which clash with <termios.h>: this file includes only them.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "link/posix_line_termios.h"

namespace ruvenset {
namespace {

// The speed's own constant where it has one, so that programs that know only those (Wine's COM ports
// among them) read the speed back; BOTHER with the number otherwise.
tcflag_t SpeedFlag(int bitsPerSecond) {
  switch (bitsPerSecond) {
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return BOTHER;
  }
}

}  // namespace

bool SetTerminalLine(int fd, const LineSettings& line) {
  struct termios2 tio {};
  if (::ioctl(fd, TCGETS2, &tio) != 0) return false;
  tio.c_iflag = IGNBRK;
  tio.c_oflag = 0;
  tio.c_lflag = 0;
  const tcflag_t speed = SpeedFlag(line.bitsPerSecond);
  tio.c_cflag = CS8 | CREAD | CLOCAL | speed | (speed << IBSHIFT);
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
