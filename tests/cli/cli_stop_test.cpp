#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli_process.h"
#include "sim/sim_server.h"

namespace ruvenset::testing {
namespace {

// Request frames as the trace prints them: the enter request (29 bytes), a measurement, and the memory
// write of the 26-byte characteristic constants (55 bytes).
constexpr const char* kEnter = "> BB 01 1D 10";
constexpr const char* kMeasurement = "> BB 01 08 0C";
constexpr const char* kConstantsWrite = "> BB 01 37 14";

// The moment of a command at which the technician presses Ctrl-C.
enum class Phase { Enter, TosAcquisition, ReadyWait, PointAcquisition, Write };

const char* Name(Phase phase) {
  switch (phase) {
    case Phase::Enter:
      return "enter";
    case Phase::TosAcquisition:
      return "tos acquisition";
    case Phase::ReadyWait:
      return "ready wait";
    case Phase::PointAcquisition:
      return "point acquisition";
    case Phase::Write:
      return "write";
  }
  return "";
}

struct CliStop : ::testing::Test {
  void SetUp() override {
    sim::SimOptions options;
    options.pace = false;
    options.pipelines = 1;
    options.speed = 115200;
    std::string error;
    simulator = sim::SimServer::Start(options, &error);
    ASSERT_TRUE(simulator) << error;
    ASSERT_EQ(simulator->Control("set delay 100"), "ok");
    ASSERT_EQ(simulator->Control("set jitter 0"), "ok");
  }

  std::unique_ptr<CliProcess> Start(const std::vector<std::string>& command) {
    std::vector<std::string> args{"--port", simulator->path(), "--trace", "--set", "BaudRate=15"};
    args.insert(args.end(), command.begin(), command.end());
    args.insert(args.end(), {"--password", "1234"});
    return std::make_unique<CliProcess>(args, "cli-stop-config");
  }

  // Ctrl-C now: the command ends at once with 130, saying so, and the flow computer is out of service
  // mode; nothing after the stop was taken or saved.
  void ExpectStopped(CliProcess& cli, const char* command) {
    const size_t printed = cli.out().size();
    cli.Interrupt();
    const double pressed = CliProcess::Now();
    EXPECT_EQ(cli.Finish(), 130) << cli.err();
    EXPECT_LT(CliProcess::Now() - pressed, 8.0) << "leaving service mode takes a few seconds, no more";
    EXPECT_EQ(simulator->Control("get state 1"), "ok 0") << cli.err();
    EXPECT_NE(cli.err().find(std::string("ruvenset-cli: ") + command + " stopped"), std::string::npos);
    const std::string after = cli.out().substr(printed);
    EXPECT_EQ(after.find("point"), std::string::npos) << after;
    EXPECT_EQ(after.find("saved"), std::string::npos) << after;
    EXPECT_EQ(after.find("ready"), std::string::npos) << after;
  }

  std::unique_ptr<sim::SimServer> simulator;
};

struct CalibrateStop : CliStop, ::testing::WithParamInterface<Phase> {};

TEST_P(CalibrateStop, LeavesServiceModeAndExits130) {
  const Phase phase = GetParam();
  const std::string file = ::testing::TempDir() + "cli-stop-" + std::to_string(::getpid()) + ".klb";
  std::remove(file.c_str());
  // The ambient temperature's readings take long enough to be stopped; later phases need them done.
  const std::string readings = phase == Phase::TosAcquisition ? "150" : "3";
  auto cli = Start({"calibrate", "--channel", "temperature", "--new", file, "--tos", "20", "--point", "-20",
                    "--point", "60", "--readings", readings});
  ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kEnter)) << cli->err();
  if (phase != Phase::Enter) ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kMeasurement)) << cli->err();
  if (phase == Phase::ReadyWait || phase == Phase::PointAcquisition)
    ASSERT_TRUE(cli->WaitFor(CliProcess::Out, "ready 1")) << cli->out();
  if (phase == Phase::PointAcquisition) {
    cli->SendLine("");
    ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kMeasurement)) << cli->err();
  }
  ExpectStopped(*cli, "calibrate");
}

INSTANTIATE_TEST_SUITE_P(Phases, CalibrateStop,
                         // The command line's calibration writes nothing into the flow computer: it
                         // declines the write-back at its end.
                         ::testing::Values(Phase::Enter, Phase::TosAcquisition, Phase::ReadyWait,
                                           Phase::PointAcquisition),
                         [](const auto& info) {
                           std::string name = Name(info.param);
                           for (char& c : name)
                             if (c == ' ') c = '_';
                           return name;
                         });

TEST_F(CliStop, ZeroInEveryPhase) {
  for (const Phase phase : {Phase::Enter, Phase::PointAcquisition, Phase::Write}) {
    SCOPED_TRACE(Name(phase));
    auto cli = Start({"zero", "--channel", "pressure"});
    ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kEnter)) << cli->err();
    if (phase == Phase::PointAcquisition) ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kMeasurement));
    if (phase == Phase::Write) {
      // The write goes unanswered, so that Ctrl-C finds the command inside it however late it comes.
      ASSERT_EQ(simulator->Control("fault silent 0x14"), "ok");
      ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kConstantsWrite, 60)) << cli->err();
    }
    ExpectStopped(*cli, "zero");
    EXPECT_EQ(cli->out().find("offset"), std::string::npos);
  }
}

TEST_F(CliStop, CorrectInEveryPhase) {
  for (const Phase phase : {Phase::Enter, Phase::ReadyWait, Phase::PointAcquisition, Phase::Write}) {
    SCOPED_TRACE(Name(phase));
    auto cli = Start({"correct", "--channel", "pressure", "--point", "1,5", "--readings",
                      phase == Phase::Write ? "1" : "150"});
    ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kEnter)) << cli->err();
    if (phase != Phase::Enter) ASSERT_TRUE(cli->WaitFor(CliProcess::Out, "ready 1")) << cli->out();
    // The write goes unanswered, so that Ctrl-C finds the command inside it however late it comes.
    if (phase == Phase::Write) ASSERT_EQ(simulator->Control("fault silent 0x14"), "ok");
    if (phase == Phase::PointAcquisition || phase == Phase::Write) cli->SendLine("");
    if (phase == Phase::PointAcquisition) ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kMeasurement));
    if (phase == Phase::Write) ASSERT_TRUE(cli->WaitFor(CliProcess::Err, kConstantsWrite, 60)) << cli->err();
    ExpectStopped(*cli, "correct");
  }
}

// A second Ctrl-C does not wait for the way out: the leave request goes out once, and the command exits
// 130 within one answer time.
TEST_F(CliStop, SecondCtrlCSendsTheLeaveRequestOnceAndExits) {
  auto cli = Start({"correct", "--channel", "pressure", "--point", "1.5", "--readings", "150"});
  ASSERT_TRUE(cli->WaitFor(CliProcess::Out, "ready 1")) << cli->out();
  ASSERT_EQ(simulator->Control("get state 1"), "ok 3");
  const std::string answered = simulator->Control("get answered");
  cli->Interrupt();
  ::usleep(50'000);
  cli->Interrupt();
  const double pressed = CliProcess::Now();
  EXPECT_EQ(cli->Finish(), 130);
  EXPECT_LT(CliProcess::Now() - pressed, 2.5) << "one answer time (2 s) at most";
  EXPECT_NE(simulator->Control("get answered"), answered);
  const double deadline = CliProcess::Now() + 2;
  while (simulator->Control("get state 1") != "ok 0" && CliProcess::Now() < deadline) ::usleep(20'000);
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");
}

}  // namespace
}  // namespace ruvenset::testing
