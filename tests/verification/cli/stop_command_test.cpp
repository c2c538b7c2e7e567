#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "sim/sim_server.h"

namespace {

// Ctrl-C during a verification of the command-line program: the readings end, the flow computer is
// taken out of service mode, and the command says it was stopped and exits 130.
TEST(StopCommand, CtrlCDuringVerifyLeavesServiceModeAndExits130) {
  ruvenset::sim::SimOptions options;
  options.pace = false;
  options.pipelines = 1;
  std::string error;
  auto simulator = ruvenset::sim::SimServer::Start(options, &error);
  ASSERT_TRUE(simulator) << error;
  ASSERT_EQ(simulator->Control("set delay 200"), "ok");

  const std::string errPath = ::testing::TempDir() + "stop-command.err";
  const std::string config = "XDG_CONFIG_HOME=" + ::testing::TempDir() + "stop-config";
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::close(out[1]);
    std::freopen(errPath.c_str(), "w", stderr);
    ::putenv(const_cast<char*>(config.c_str()));
    ::execl(RUVENSET_BINARY_DIR "/ruvenset-cli", "ruvenset-cli", "--port", simulator->path().c_str(),
            "--trace", "verify", "--password", "1234", "--channel", "temperature", "--readings", "100000",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  FILE* readings = ::fdopen(out[0], "r");
  ASSERT_NE(readings, nullptr);
  char line[512];
  // The first reading: service mode has been entered.
  ASSERT_NE(std::fgets(line, sizeof line, readings), nullptr);
  EXPECT_EQ(simulator->Control("get state 1"), "ok 3");
  ::kill(pid, SIGINT);
  while (std::fgets(line, sizeof line, readings) != nullptr) {
  }
  std::fclose(readings);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");

  std::ifstream err(errPath);
  std::stringstream text;
  text << err.rdbuf();
  // The leave request (command 0x11, 23 bytes, pipeline 1) went out after the stop.
  EXPECT_NE(text.str().find("> BB 01 17 11 01"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("ruvenset-cli: verify stopped"), std::string::npos) << text.str();
}

}  // namespace
