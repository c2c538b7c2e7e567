#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "link/link.h"
#include "link/win32_serial_port.h"

namespace ruvenset {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

TEST(Win32SerialPort, PortNamesReachTheirDevice) {
  EXPECT_EQ(WindowsPortDevice("COM3"), "\\\\.\\COM3");
  EXPECT_EQ(WindowsPortDevice("com12"), "\\\\.\\COM12");
  EXPECT_EQ(WindowsPortDevice("COM255"), "\\\\.\\COM255");
  EXPECT_EQ(WindowsPortDevice("COM0"), "COM0");
  EXPECT_EQ(WindowsPortDevice("COMX"), "COMX");
  EXPECT_EQ(WindowsPortDevice("\\\\.\\COM4"), "\\\\.\\COM4");
  std::unique_ptr<Win32SerialPort> port;
  const PortOpenResult missing = Win32SerialPort::Open("COM250", port);
  EXPECT_EQ(missing.error, PortOpenError::NotFound);
  EXPECT_NE(PortOpenErrorText("COM250", missing).find("cannot open COM250"), std::string::npos);
}

// The rest runs against the Linux simulator on a Wine COM port (scripts/build-windows maps one and
// names it in RUVENSET_TEST_COM); the simulator answers at 115200 bit/s and is silent at any other speed.
class Win32SerialPortOnLine : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* name = std::getenv("RUVENSET_TEST_COM");
    if (name == nullptr || *name == '\0')
      GTEST_SKIP() << "needs a COM port served by the simulator (RUVENSET_TEST_COM, set by "
                      "tests/wine/com_port_e2e.sh)";
    name_ = name;
    ASSERT_EQ(Win32SerialPort::Open(name_, port_).error, PortOpenError::None);
  }

  std::string name_;
  std::unique_ptr<Win32SerialPort> port_;
};

TEST_F(Win32SerialPortOnLine, OpensExclusivelyWithTheLinuxMessage) {
  std::unique_ptr<Win32SerialPort> second;
  const PortOpenResult busy = Win32SerialPort::Open(name_, second);
  EXPECT_EQ(busy.error, PortOpenError::Busy);
  EXPECT_EQ(PortOpenErrorText(name_, busy),
            "cannot open " + name_ + ": the port is in use by another program");
}

TEST_F(Win32SerialPortOnLine, FirstByteWaitEndsOnTimeOnASilentLine) {
  ASSERT_TRUE(port_->Configure({57600, Parity::None}));
  port_->SetTimeouts({0, 0, 300});
  uint8_t byte = 0;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(port_->Read(&byte, 1), 0);
  const double ms = MillisecondsSince(start);
  EXPECT_GE(ms, 295);
  EXPECT_LT(ms, 450);
}

TEST_F(Win32SerialPortOnLine, StopEndsTheWaitAtOnceAndIsForgottenWhenCleared) {
  ASSERT_TRUE(port_->Configure({57600, Parity::None}));
  StopSignal stop;
  port_->SetStop(&stop);
  port_->SetTimeouts({0, 0, 20000});
  Clock::time_point pressed;
  std::thread presser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    pressed = Clock::now();
    stop.Request();
  });
  uint8_t byte = 0;
  EXPECT_EQ(port_->Read(&byte, 1), 0);
  const double ms = MillisecondsSince(pressed);
  presser.join();
  EXPECT_LT(ms, 100);

  // A wake-up left over from a cleared stop does not end a later wait early.
  stop.Clear();
  stop.Request();
  stop.Clear();
  port_->SetTimeouts({0, 0, 200});
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(port_->Read(&byte, 1), 0);
  EXPECT_GE(MillisecondsSince(start), 195);
}

// A whole exchange with the simulator: the answer's bytes come through the overlapped reads, the
// next-byte waits hold between them.
TEST_F(Win32SerialPortOnLine, ExchangesWithTheFlowComputer) {
  ASSERT_TRUE(port_->Configure({115200, Parity::None}));
  SteadyLinkClock clock;
  LinkSettings settings;
  settings.firstByteWait = 1;
  Link link(settings, clock);
  link.Attach(port_.get());
  LinkRequest request;
  request.command = 0x0C;
  request.answerData = 4;
  const LinkAnswer answer = link.Transact(request);
  ASSERT_EQ(answer.status, LinkOk);
  EXPECT_GE(answer.response.size(), 4);
  request.command = 0x02;
  request.answerData = 0;
  request.accept = AcceptMode::AnswerOrUnknownCommand;
  EXPECT_EQ(link.Transact(request).status, LinkOk);
}

}  // namespace
}  // namespace ruvenset
