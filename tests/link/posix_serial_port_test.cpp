#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "link/posix_line_termios.h"
#include "link/posix_serial_port.h"

namespace ruvenset {
namespace {

// A pseudo-terminal pair: the test plays the far end on the master side.
struct Pty {
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master);
    ::unlockpt(master);
    slave = ::ptsname(master);
  }
  ~Pty() { ::close(master); }
  int master;
  std::string slave;
};

double MillisecondsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

TEST(PosixSerialPort, OpensExclusivelyAndExplainsFailures) {
  Pty pty;
  std::unique_ptr<PosixSerialPort> port;
  ASSERT_EQ(PosixSerialPort::Open(pty.slave, port).error, PortOpenError::None);
  std::unique_ptr<PosixSerialPort> second;
  const PortOpenResult busy = PosixSerialPort::Open(pty.slave, second);
  EXPECT_EQ(busy.error, PortOpenError::Busy);
  EXPECT_NE(PortOpenErrorText(pty.slave, busy).find("in use"), std::string::npos);

  std::unique_ptr<PosixSerialPort> none;
  EXPECT_EQ(PosixSerialPort::Open("/dev/nonexistent-tty", none).error, PortOpenError::NotFound);
  EXPECT_EQ(PosixSerialPort::Open("/dev/null", none).error, PortOpenError::NotATerminal);
  const std::string denied = PortOpenErrorText("/dev/ttyUSB0", {PortOpenError::NoPermission, EACCES});
  EXPECT_NE(denied.find("dialout"), std::string::npos);
}

TEST(PosixSerialPort, EverySpeedOfTheTableReachesTheLine) {
  Pty pty;
  std::unique_ptr<PosixSerialPort> port;
  ASSERT_EQ(PosixSerialPort::Open(pty.slave, port).error, PortOpenError::None);
  for (int bps : {300, 1200, 3200, 3600, 6400, 7200, 14400, 28800, 115200}) {
    ASSERT_TRUE(port->Configure({bps, Parity::None})) << bps;
    LineSettings seen;
    ASSERT_TRUE(GetTerminalLine(pty.master, seen));
    EXPECT_EQ(seen.bitsPerSecond, bps);
    EXPECT_EQ(seen.parity, Parity::None);
  }
  ASSERT_TRUE(port->Configure({1200, Parity::Odd}));
  EXPECT_EQ(port->Line().parity, Parity::Odd);
  LineSettings seen;
  ASSERT_TRUE(GetTerminalLine(pty.master, seen));
  EXPECT_EQ(seen.parity, Parity::Odd);
  ASSERT_TRUE(port->Configure({1200, Parity::None}));
  ASSERT_TRUE(GetTerminalLine(pty.master, seen));
  EXPECT_EQ(seen.parity, Parity::None);
  port->SetRts(true);  // a pseudo-terminal has no modem lines: ignored, not fatal
  port->SetDtr(true);
}

TEST(PosixSerialPort, ReadTimeouts) {
  Pty pty;
  std::unique_ptr<PosixSerialPort> port;
  ASSERT_EQ(PosixSerialPort::Open(pty.slave, port).error, PortOpenError::None);
  ASSERT_TRUE(port->Configure({115200, Parity::None}));

  // Nothing arrives: the total time-out (per byte x count + constant) ends the read with 0 bytes.
  port->SetTimeouts({8000, 8, 30});
  uint8_t buf[16];
  auto t = std::chrono::steady_clock::now();
  EXPECT_EQ(port->Read(buf, 1), 0);
  EXPECT_GE(MillisecondsSince(t), 37.0);

  // Three bytes of five: the gap after the last byte ends the read with the partial count.
  ASSERT_EQ(::write(pty.master, "abc", 3), 3);
  port->SetTimeouts({20, 0, 2000});
  t = std::chrono::steady_clock::now();
  EXPECT_EQ(port->Read(buf, 5), 3);
  EXPECT_LT(MillisecondsSince(t), 1000.0);

  // Written bytes reach the far end.
  const uint8_t request[] = {0xAA, 0x01, 0x06, 0x02, 0xF2, 0x5D};
  ASSERT_TRUE(port->Write(request, sizeof request));
  uint8_t seen[6];
  ASSERT_EQ(::read(pty.master, seen, 6), 6);
  EXPECT_EQ(seen[5], 0x5D);

  // The far end hangs up: the read fails rather than waiting.
  port->Purge();
  ::close(pty.master);
  pty.master = ::open("/dev/null", O_RDONLY);
  port->SetTimeouts({20, 0, 200});
  EXPECT_EQ(port->Read(buf, 1), -1);
}

TEST(PosixSerialPort, StopEndsARealWaitAtOnceAndIsForgottenWhenCleared) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ::grantpt(master);
  ::unlockpt(master);
  std::unique_ptr<PosixSerialPort> port;
  ASSERT_EQ(PosixSerialPort::Open(::ptsname(master), port).error, PortOpenError::None);
  ASSERT_TRUE(port->Configure({9600, Parity::None}));
  StopSignal stop;
  port->SetStop(&stop);
  port->SetTimeouts({0, 0, 20000});

  const auto start = std::chrono::steady_clock::now();
  std::thread presser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    stop.Request();
  });
  uint8_t byte = 0;
  EXPECT_EQ(port->Read(&byte, 1), 0);
  presser.join();
  // Ended by the stop, long before the 20 s time-out.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  // A cleared stop leaves a later read to its bytes; a wake-up left over does not end it empty.
  stop.Clear();
  stop.Request();
  stop.Clear();
  port->SetTimeouts({0, 0, 2000});
  ASSERT_EQ(::write(master, "\x55", 1), 1);
  EXPECT_EQ(port->Read(&byte, 1), 1);
  EXPECT_EQ(byte, 0x55);
  port.reset();
  ::close(master);
}

}  // namespace
}  // namespace ruvenset
