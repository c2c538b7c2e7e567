#include <gtest/gtest.h>

#include "cli_runner.h"

#include <cstdio>
#include <string>

namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "cli-config");
}

// Every slot has a device; a typed one wins over the default.
TEST(CliCommands, PortsListsTheSlots) {
  const CliRun run = Cli("--set COM3=/dev/ttyAMA0 ports");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("slot COM1 "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("slot COM3 /dev/ttyAMA0\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("slot COM8 "), std::string::npos) << run.out;
}

TEST(CliCommands, ProbeFindsTheSimulatedFlowComputer) {
  EXPECT_EQ(Cli("--demo probe").out, "speed 1200\n");
  const CliRun fast = Cli("--demo --set BaudRate=15 --set AOSkor=0 probe");
  EXPECT_EQ(fast.exitCode, 0);
  EXPECT_EQ(fast.out, "speed 115200\n");
}

TEST(CliCommands, IdentifyPrintsTheConnection) {
  const CliRun run = Cli("--demo --set BaudRate=15 identify --password 1234");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* line : {"type 16\n", "extended 0\n", "version 35\n", "byte-order msb\n", "pipelines 2\n",
                           "method 1 2\n", "method 2 2\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
  }
  EXPECT_NE(run.out.find("text "), std::string::npos);
}

TEST(CliCommands, TransactShowsStatusAndResponse) {
  const CliRun ok = Cli("--demo --set BaudRate=15 transact --command 2 --accept 105");
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.out.rfind("status LinkOk\nresponse 55 01 06 82", 0), 0u) << ok.out;

  const CliRun wrong = Cli("--demo --set BaudRate=15 --set WeitTime1=1 transact --command 2 --address 9");
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_EQ(wrong.out, "status LinkNoAnswer\n");
}

TEST(CliCommands, UsageAndPortErrors) {
  EXPECT_EQ(Cli("--port /dev/nonexistent-port probe").exitCode, 2);
  EXPECT_EQ(Cli("probe --bogus").exitCode, 64);
  EXPECT_EQ(Cli("--set BaudRate=99 probe").exitCode, 64);
  EXPECT_EQ(Cli("transact").exitCode, 64);
  EXPECT_EQ(Cli("").exitCode, 64);
}

}  // namespace

namespace {

TEST(CliCommands, PipelineLeftInServiceMode) {
  const std::string fast = "--set BaudRate=15 --sim 'state 2 3' --sim 'set delay 100' ";
  const CliRun kept = Cli(fast + "identify --password 1234");
  EXPECT_EQ(kept.exitCode, 0);
  EXPECT_NE(kept.out.find("service 2\n"), std::string::npos) << kept.out;

  const CliRun released = Cli(fast + "identify --password 1234 --release");
  EXPECT_EQ(released.exitCode, 0);
  EXPECT_EQ(released.out.find("service"), std::string::npos) << released.out;

  const CliRun removal = Cli(fast + "release-service --password 1234");
  EXPECT_EQ(removal.exitCode, 0);
  EXPECT_NE(removal.out.find("released 2\n"), std::string::npos) << removal.out;
}

TEST(CliCommands, PipelineThatStaysInServiceModeEndsReleaseWithFailure) {
  // The flow computer takes 20 s to leave; the command gives up after one second of waiting.
  const std::string slow = "--set BaudRate=15 --sim 'state 1 3' --sim 'set delay 20000' ";
  const CliRun stuck = Cli(slow + "release-service --password 1234 --wait 1");
  EXPECT_EQ(stuck.exitCode, 1);
  EXPECT_EQ(stuck.out.find("released"), std::string::npos) << stuck.out;
  EXPECT_EQ(Cli(slow + "release-service --wait soon").exitCode, 64);
}

TEST(CliCommands, LinkFailureEndsTheCommand) {
  const CliRun wrong = Cli("--set BaudRate=15 --sim 'fault drop 1' --set WeitTime1=1 identify");
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_EQ(wrong.out, "status LinkNoAnswer\n");
}

}  // namespace
