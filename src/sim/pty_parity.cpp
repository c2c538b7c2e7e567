// termios2 lives in the kernel's headers, which clash with <termios.h>: this file includes only them.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "sim/pty_parity.h"

namespace ruvenset::sim {

bool OddParityRequested(int masterFd) {
  struct termios2 tio {};
  if (::ioctl(masterFd, TCGETS2, &tio) != 0) return false;
  return (tio.c_cflag & (PARENB | PARODD)) != 0;
}

}  // namespace ruvenset::sim
