#include <gtest/gtest.h>

#include "shell/link_dialog_rules.h"
#include "shell/port_test.h"

namespace ruvenset {
namespace {

TEST(LinkDialogRules, AddressAndNextByteWaitBounds) {
  struct Case {
    const char* text;
    std::optional<int> address;
    std::optional<int> wait;
  };
  const Case cases[] = {
      {"0", std::nullopt, std::nullopt},
      {"1", 1, std::nullopt},
      {"254", 254, 254},
      {"255", std::nullopt, 255},
      {"54", 54, std::nullopt},
      {"55", 55, 55},
      {"3000", std::nullopt, 3000},
      {"3001", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
      {"1a", std::nullopt, std::nullopt},
      {"-5", std::nullopt, std::nullopt},
      {"+7", std::nullopt, std::nullopt},
      {" 7", std::nullopt, std::nullopt},
      {"99999999999999", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptAddress(c.text), c.address) << c.text;
    EXPECT_EQ(AcceptNextByteWait(c.text), c.wait) << c.text;
  }
  for (char32_t key : {U'0', U'9', char32_t{0x08}}) EXPECT_TRUE(DigitKeyAccepted(key));
  for (char32_t key : {U'a', U'.', U'-', U' ', U'ж', char32_t{0x16}}) EXPECT_FALSE(DigitKeyAccepted(key));
}

TEST(LinkDialogRules, AcceptedEntryChangesEverythingRefusedEntryNothing) {
  std::array<bool, kComSlotCount> available{};
  available[2] = true;
  Configuration config;
  const Configuration before = config;
  LinkParametersEntry entry = LinkParametersOf(config);
  EXPECT_EQ(entry.portIndex, 1);
  EXPECT_EQ(entry.speedIndex, 2);
  EXPECT_EQ(entry.firstByteWaitIndex, 1);
  EXPECT_EQ(entry.nextByteWait, "140");
  EXPECT_EQ(entry.attemptsIndex, 0);

  entry.portIndex = 2;
  entry.speedIndex = 15;
  entry.firstByteWaitIndex = 19;
  entry.attemptsIndex = 4;
  entry.rtsKeying = true;
  entry.speedSearch = false;
  entry.portPaths[2] = "/dev/ttyUSB7";

  entry.nextByteWait = "3001";
  EXPECT_EQ(AcceptLinkParameters(entry, available, config), LinkParametersVerdict::BadNextByteWait);
  EXPECT_EQ(FormatConfiguration(config), FormatConfiguration(before));

  entry.nextByteWait = "3000";
  entry.portIndex = 3;
  EXPECT_EQ(AcceptLinkParameters(entry, available, config), LinkParametersVerdict::PortUnavailable);
  EXPECT_EQ(FormatConfiguration(config), FormatConfiguration(before));

  entry.portIndex = 2;
  ASSERT_EQ(AcceptLinkParameters(entry, available, config), LinkParametersVerdict::Accepted);
  EXPECT_EQ(config.link.portIndex, 2);
  EXPECT_EQ(config.link.speedIndex, 15);
  EXPECT_EQ(config.link.firstByteWait, 20);
  EXPECT_EQ(config.link.nextByteWait, 3000);
  EXPECT_EQ(config.link.attempts, 5);
  EXPECT_EQ(config.link.rtsKeying, 1);
  EXPECT_EQ(config.link.speedSearch, 0);
  EXPECT_EQ(config.ports[2], "/dev/ttyUSB7");
}

// With a device given at start nothing needs to pass the port test, and the configured slot stays.
TEST(LinkDialogRules, TheDeviceGivenAtStartIsAcceptedWithoutASlot) {
  const std::array<bool, kComSlotCount> none{};
  Configuration config;
  LinkParametersEntry entry = LinkParametersOf(config);
  entry.speedIndex = 5;
  EXPECT_EQ(AcceptLinkParameters(entry, none, config), LinkParametersVerdict::PortUnavailable);
  entry.givenPort = true;
  entry.portIndex = 6;
  ASSERT_EQ(AcceptLinkParameters(entry, none, config), LinkParametersVerdict::Accepted);
  EXPECT_EQ(config.link.portIndex, 1);
  EXPECT_EQ(config.link.speedIndex, 5);
}

// A stand-in for the port devices: the paths in `present` open.
struct FakePorts {
  std::vector<std::string> present;
  std::vector<std::string> tried;
  PortOpener Opener() {
    return [this](const std::string& path, std::unique_ptr<SerialPort>& port) {
      tried.push_back(path);
      for (const auto& p : present) {
        if (p == path) {
          port = std::make_unique<LoopbackPortStandIn>();
          return PortOpenResult{};
        }
      }
      return PortOpenResult{PortOpenError::NotFound, 2};
    };
  }
  // Just enough of a port to be held and closed.
  struct LoopbackPortStandIn final : SerialPort {
    bool Configure(const LineSettings&) override { return true; }
    LineSettings Line() const override { return {}; }
    void Purge() override {}
    void SetDtr(bool) override {}
    void SetRts(bool) override {}
    void SetTimeouts(const ReadTimeouts&) override {}
    bool Write(const uint8_t*, size_t) override { return true; }
    int Read(uint8_t*, size_t) override { return 0; }
  };
};

struct RecordingObserver final : PortTestObserver {
  std::vector<int> slots;
  std::vector<int> pauses;
  void Trying(int slot) override { slots.push_back(slot); }
  void Pause(int ms) override { pauses.push_back(ms); }
};

TEST(PortTest, TriesEverySlotAndRestsOnlyAroundOpenedPorts) {
  Configuration config;
  for (int i = 0; i < kComSlotCount; ++i) config.ports[i] = "/dev/slot" + std::to_string(i);
  FakePorts ports{{"/dev/slot1", "/dev/slot6"}, {}};
  RecordingObserver observer;
  const PortTestResult result = RunPortTest(config, ports.Opener(), observer);
  EXPECT_EQ(observer.slots, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(observer.pauses, (std::vector<int>{500, 500, 500, 500}));
  EXPECT_EQ(ports.tried.size(), 8u);
  const std::array<bool, kComSlotCount> expected = {false, true, false, false, false, false, true, false};
  EXPECT_EQ(result.opened, expected);
  EXPECT_TRUE(result.any());

  FakePorts none{{}, {}};
  RecordingObserver quiet;
  EXPECT_FALSE(RunPortTest(config, none.Opener(), quiet).any());
  EXPECT_TRUE(quiet.pauses.empty());
  EXPECT_TRUE(ProbePort("/dev/slot6", ports.Opener()));
  EXPECT_FALSE(ProbePort("", ports.Opener()));
  EXPECT_FALSE(ProbePort("/dev/slot5", ports.Opener()));
}

}  // namespace
}  // namespace ruvenset
