#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace ruvenset::testing {

struct CliRun {
  int exitCode;
  std::string out;
};

// Runs the built ruvenset-cli with a throw-away configuration folder named `configName`; stdout is
// captured, stderr dropped.
inline CliRun RunCli(const std::string& arguments, const std::string& configName) {
  const std::string command = "XDG_CONFIG_HOME=" + ::testing::TempDir() + configName +
                              " " RUVENSET_BINARY_DIR "/ruvenset-cli " + arguments + " 2>/dev/null";
  CliRun run{-1, {}};
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 512> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.out += buffer.data();
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace ruvenset::testing
