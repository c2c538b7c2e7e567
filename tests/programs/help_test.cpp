#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace ruvenset {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string out;
};

// Runs a built program with no display at all: no X or Wayland display and no Qt platform chosen.
// `streams` is "" for stdout alone or "2>&1" for both.
ProgramRun RunProgram(const std::string& commandLine, const char* streams = "2>/dev/null") {
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=" + ::testing::TempDir() +
      "program_tests " RUVENSET_BINARY_DIR "/" + commandLine + " " + streams;
  ProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 512> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.out += buffer.data();
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ProgramHelp, HelpAndVersionPrintWithoutADisplay) {
  for (const std::string program : {"ruvenset", "grafmira", "ruvenset-cli", "fcsim"}) {
    if (program != "fcsim") {
      const ProgramRun version = RunProgram(program + " --version");
      EXPECT_EQ(version.exitCode, 0) << program;
      EXPECT_EQ(version.out, program + " 0.1\n");
    }
    const ProgramRun help = RunProgram(program + " --help");
    EXPECT_EQ(help.exitCode, 0) << program;
    EXPECT_NE(help.out.find("usage:"), std::string::npos) << program << ": " << help.out;
    EXPECT_NE(help.out.find(" --"), std::string::npos) << program;
  }
  EXPECT_NE(RunProgram("ruvenset --help").out.find("--port PATH"), std::string::npos);
  EXPECT_EQ(RunProgram("ruvenset --help").out.find("--screenshot-dialogs"), std::string::npos);
  EXPECT_NE(RunProgram("grafmira --help").out.find("--channel CODE"), std::string::npos);
}

TEST(ProgramHelp, AnUnknownOptionPrintsTheUsageAndEnds64) {
  for (const char* commandLine :
       {"ruvenset --no-such-option", "ruvenset --config", "ruvenset stray", "grafmira --no-such-option",
        "grafmira a.ctr b.ctr", "ruvenset-cli --no-such-option identify", "ruvenset-cli no-such-command"}) {
    const ProgramRun run = RunProgram(commandLine, "2>&1");
    EXPECT_EQ(run.exitCode, 64) << commandLine;
    EXPECT_NE(run.out.find("usage:"), std::string::npos) << commandLine << ": " << run.out;
  }
  // The usage goes to stderr, so nothing on stdout mistakes it for a result.
  EXPECT_EQ(RunProgram("ruvenset --no-such-option").out, "");
}

// The command names listed under "commands:" in the program's help.
std::vector<std::string> ListedCommands(const std::string& help) {
  std::vector<std::string> names;
  std::istringstream lines(help.substr(help.find("commands:\n") + 10));
  std::string line;
  while (std::getline(lines, line) && line.rfind("  ", 0) == 0) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    names.push_back(name);
  }
  return names;
}

TEST(ProgramHelp, EveryCliCommandPrintsItsOptions) {
  const ProgramRun help = RunProgram("ruvenset-cli --help");
  ASSERT_EQ(help.exitCode, 0);
  const std::vector<std::string> commands = ListedCommands(help.out);
  ASSERT_GE(commands.size(), 8u) << help.out;
  for (const auto& name : commands) {
    const ProgramRun command = RunProgram("ruvenset-cli " + name + " --help");
    EXPECT_EQ(command.exitCode, 0) << name;
    EXPECT_EQ(command.out.rfind("usage: ruvenset-cli [global options] " + name, 0), 0u) << command.out;
    EXPECT_NE(command.out.find("--port PATH"), std::string::npos) << name;
  }
  const ProgramRun identify = RunProgram("ruvenset-cli --demo identify --help");
  EXPECT_EQ(identify.exitCode, 0);
  EXPECT_NE(identify.out.find("[--password TEXT] [--release]"), std::string::npos) << identify.out;
  EXPECT_EQ(identify.out.find("\npipelines "), std::string::npos) << "the help must not connect";
}

}  // namespace
}  // namespace ruvenset
