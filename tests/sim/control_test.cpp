#include <gtest/gtest.h>

#include "sim/fcsim_args.h"
#include "sim/sim_control.h"

namespace ruvenset::sim {
namespace {

TEST(SimControl, CommandsAndTheirReplies) {
  FlowComputerModel model{FlowComputerConfig{}};
  model.SetCodeJitter(0);
  FaultInjector faults(1);
  struct Step {
    const char* command;
    const char* reply;
  };
  const Step steps[] = {
      {"set temperature 31.5", "ok"},
      {"get input t", "ok 31.5"},
      {"get value temperature", "ok 31.5"},
      {"set p 2", "ok"},
      {"get value pressure", "ok 2"},
      {"get value dp", "ok invalid"},
      {"set humidity 3", "error: no channel humidity"},
      {"state 2 3", "ok"},
      {"get state 2", "ok 3"},
      {"state 3 3", "error: no pipeline 3"},
      {"get memory 3623 1", "ok 03"},
      {"get memory 65535 2", "error: get memory <address> <count>"},
      {"refuse 0x13 7 1 2", "ok"},
      {"refuse 0x13 300", "error: 300 is not a byte"},
      {"fault drop 0.25", "ok"},
      {"fault noise 1.5", "error: fault <kind> <0..1>"},
      {"get faults", "ok drop 0.25 corrupt 0 wrongaddress 0 noise 0"},
      {"fault silent 0x14", "ok"},
      {"fault silent 256", "error: 256 is not a byte"},
      {"fault off", "ok"},
      {"set delay 200", "ok"},
      {"get delay", "ok 200"},
      {"launch", "error: unknown command launch"},
  };
  for (const Step& s : steps) EXPECT_EQ(RunControlCommand(s.command, model, faults, 0), s.reply) << s.command;
  EXPECT_EQ(faults.rates().drop, 0.0);
  EXPECT_FALSE(faults.Silenced(0x14));  // "fault off" ends the silence too
  EXPECT_EQ(RunControlCommand("fault silent 20", model, faults, 0), "ok");
  EXPECT_TRUE(faults.Silenced(0x14));
  EXPECT_FALSE(faults.Silenced(0x13));
}

TEST(FcsimArgs, FullLineAndMistakes) {
  SimOptions o;
  bool help = false;
  std::string error;
  ASSERT_TRUE(ParseFcsimArgs(
      {"--link",    "/tmp/x", "--speed", "9600",       "--address", "7",           "--model", "7",
       "--version", "40",     "--lsb",   "--password", "пароль",    "--pipelines", "3",       "--hart-link",
       "/tmp/h",    "--seed", "9",       "--drop",     "0.1",       "--corrupt",   "0.2",     "--no-pace"},
      o, help, error))
      << error;
  EXPECT_EQ(o.linkPath, "/tmp/x");
  EXPECT_EQ(o.speed, 9600);
  EXPECT_EQ(o.address, 7);
  EXPECT_EQ(o.model, 7);
  EXPECT_EQ(o.version, 40);
  EXPECT_TRUE(o.lsb);
  EXPECT_EQ(o.password, "пароль");
  EXPECT_EQ(o.pipelines, 3);
  EXPECT_EQ(o.hartLinkPath, "/tmp/h");
  EXPECT_EQ(o.seed, 9u);
  EXPECT_DOUBLE_EQ(o.corrupt, 0.2);
  EXPECT_FALSE(o.pace);

  const std::vector<std::string> wrong[] = {{"--speed", "1200"},
                                            {"--link", "/tmp/x", "--drop", "2"},
                                            {"--link", "/tmp/x", "--pipelines", "0"},
                                            {"--link", "/tmp/x", "--colour", "red"},
                                            {"--link"}};
  for (const auto& args : wrong) {
    SimOptions fresh;
    EXPECT_FALSE(ParseFcsimArgs(args, fresh, help, error)) << args[0];
  }
}

}  // namespace
}  // namespace ruvenset::sim
