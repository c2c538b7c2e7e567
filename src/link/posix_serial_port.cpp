#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "common/posix_fd_io.h"
#include "common/steady_now.h"
#include "link/posix_line_termios.h"

namespace ruvenset {
namespace {

PortOpenResult Failure(PortOpenError error, int systemError) {
  return {error, systemError};
}

}  // namespace

std::string PortOpenErrorText(const std::string& path, const PortOpenResult& result) {
  switch (result.error) {
    case PortOpenError::None:
      return {};
    case PortOpenError::NotFound:
      return "cannot open " + path +
             ": no such device (is the adapter plugged in? USB adapters may get a new name "
             "after a replug; /dev/serial/by-id/ keeps a stable one)";
    case PortOpenError::NoPermission:
      return "cannot open " + path +
             ": permission denied. The user must be a member of the 'dialout' group: "
             "run 'sudo usermod -aG dialout $USER' and log in again";
    case PortOpenError::Busy:
      return "cannot open " + path + ": the port is in use by another program";
    case PortOpenError::NotATerminal:
      return "cannot open " + path + ": not a serial port";
    case PortOpenError::Other:
      break;
  }
  return "cannot open " + path + ": " + std::strerror(result.systemError);
}

PortOpenResult PosixSerialPort::Open(const std::string& path, std::unique_ptr<PosixSerialPort>& port) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    if (e == ENOENT || e == ENODEV || e == ENXIO) return Failure(PortOpenError::NotFound, e);
    if (e == EACCES || e == EPERM) return Failure(PortOpenError::NoPermission, e);
    if (e == EBUSY) return Failure(PortOpenError::Busy, e);
    return Failure(PortOpenError::Other, e);
  }
  if (!::isatty(fd)) {
    ::close(fd);
    return Failure(PortOpenError::NotATerminal, ENOTTY);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    return Failure(e == EWOULDBLOCK ? PortOpenError::Busy : PortOpenError::Other, e);
  }
  ::ioctl(fd, TIOCEXCL);
  port.reset(new PosixSerialPort(fd));
  return {};
}

PosixSerialPort::~PosixSerialPort() {
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
}

bool PosixSerialPort::Configure(const LineSettings& line) {
  if (!SetTerminalLine(fd_, line)) return false;
  line_ = line;
  return true;
}

void PosixSerialPort::Purge() {
  ::tcflush(fd_, TCIOFLUSH);
}

void PosixSerialPort::SetModemLine(int bit, bool on) {
  // A pseudo-terminal has no modem lines and refuses the call; the line then simply stays as it is.
  ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

void PosixSerialPort::SetDtr(bool on) {
  SetModemLine(TIOCM_DTR, on);
}
void PosixSerialPort::SetRts(bool on) {
  SetModemLine(TIOCM_RTS, on);
}

bool PosixSerialPort::Write(const uint8_t* data, size_t size) {
  return WriteAll(fd_, data, size);
}

int PosixSerialPort::Read(uint8_t* data, size_t size) {
  const int64_t totalDeadline = timeouts_.TotalDeadlineNs(SteadyNowNs(), size);
  size_t got = 0;
  int64_t lastByte = 0;
  while (got < size) {
    const int64_t left = timeouts_.NextByteDeadlineNs(totalDeadline, got, lastByte) - SteadyNowNs();
    if (left <= 0) break;
    if (StopRequested()) break;
    timespec wait{static_cast<time_t>(left / 1'000'000'000), static_cast<long>(left % 1'000'000'000)};
    pollfd pfd[2] = {{fd_, POLLIN, 0},
                     {stop_ != nullptr ? static_cast<int>(stop_->wakeUp()) : -1, POLLIN, 0}};
    const int ready = ::ppoll(pfd, 2, &wait, nullptr);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return -1;
    if (ready == 0) break;
    if (pfd[1].revents & POLLIN) {
      // A wake-up without a request is left over from a cleared one.
      if (StopRequested()) break;
      stop_->Drain();
    }
    if (pfd[0].revents & (POLLERR | POLLNVAL)) return -1;
    if (!(pfd[0].revents & (POLLIN | POLLHUP))) continue;
    const ssize_t n = ::read(fd_, data + got, size - got);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return -1;  // the device went away (hang-up or unplugged adapter)
    got += static_cast<size_t>(n);
    lastByte = SteadyNowNs();
  }
  return static_cast<int>(got);
}

void PosixSerialPort::SendLastRequest(const uint8_t* data, size_t size, bool keyRts, int answerWaitMs) {
  // Whatever an interrupted exchange was sending goes out first; the flow computer drops that broken
  // frame once the line has stayed quiet for a moment.
  ::tcdrain(fd_);
  timespec quiet{0, 50'000'000};
  ::nanosleep(&quiet, nullptr);
  ::tcflush(fd_, TCIFLUSH);
  if (keyRts) SetRts(true);
  const bool sent = WriteAll(fd_, data, size);
  ::tcdrain(fd_);
  if (keyRts) SetRts(false);
  if (!sent) return;
  // The answer's bytes are awaited, not judged: the process ends after them, or after the wait.
  uint8_t answer[64];
  size_t got = 0;
  const int64_t deadline = SteadyNowNs() + int64_t{answerWaitMs} * 1'000'000;
  while (got < sizeof answer) {
    const int64_t left = deadline - SteadyNowNs();
    if (left <= 0) break;
    pollfd pfd{fd_, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, static_cast<int>(std::min<int64_t>(left / 1'000'000 + 1, 60'000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    const ssize_t n = ::read(fd_, answer + got, sizeof answer - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
    if (got >= 3 && got >= answer[2] + 0u) break;
  }
}

PortOpenResult OpenSerialPort(const std::string& path, std::unique_ptr<SerialPort>& port) {
  std::unique_ptr<PosixSerialPort> posix;
  const PortOpenResult result = PosixSerialPort::Open(path, posix);
  port = std::move(posix);
  return result;
}

}  // namespace ruvenset
