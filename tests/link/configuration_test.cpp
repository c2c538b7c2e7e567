#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/com_slots.h"
#include "link/configuration.h"

namespace ruvenset {
namespace {

std::string TempPath(const std::string& name) {
  const std::string dir = ::testing::TempDir() + "ruvenset-config-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::filesystem::create_directories(dir);
  return dir + "/" + name;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Configuration, DefaultsWithoutFile) {
  const Configuration c = LoadConfiguration(TempPath("missing/none.ini"));
  EXPECT_EQ(c.link.portIndex, 1);   // COM2
  EXPECT_EQ(c.link.speedIndex, 2);  // 1200 bit/s
  EXPECT_EQ(c.link.firstByteWait, 2);
  EXPECT_EQ(c.link.nextByteWait, 140);
  EXPECT_EQ(c.link.attempts, 1);
  EXPECT_EQ(c.link.rtsKeying, 0);
  EXPECT_EQ(c.link.speedSearch, 1);
  EXPECT_EQ(c.link.preambles, 10);
  EXPECT_EQ(c.link.address, 1);
  EXPECT_EQ(c.langRus, 1);
  EXPECT_EQ(c.waitForUser, 0);
}

TEST(Configuration, SavedKeysInOrderAndReadBack) {
  Configuration c;
  c.link.speedIndex = 9;
  c.link.portIndex = 0;
  c.link.nextByteWait = 3000;
  c.link.attempts = 5;
  c.link.address = 254;
  c.langRus = 0;
  c.waitForUser = 1;
  c.startsLeft = 4;
  c.calendarRequest = 17;
  c.ports[3] = "/dev/serial/by-id/usb-FTDI_adapter-if00-port0";
  const std::string path = TempPath("saved.ini");
  ASSERT_TRUE(SaveConfiguration(path, c));
  const std::string text = ReadText(path);
  const char* keys[] = {
      "BaudRate", "NumPort", "WeitTime1", "WeitTime2", "Kol_povt",  "Upr_Sign",       "TypSvyaz",
      "AOSkor",   "Preamb",  "Adress=",   "LangRus",   "KolZapusk", "KalendarZapros", "COM4="};
  size_t last = 0;
  for (const char* key : keys) {
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    last = at;
  }
  const Configuration back = ParseConfiguration(text);
  EXPECT_EQ(back.link.speedIndex, 9);
  EXPECT_EQ(back.link.nextByteWait, 3000);
  EXPECT_EQ(back.link.attempts, 5);
  EXPECT_EQ(back.link.address, 254);
  EXPECT_EQ(back.langRus, 0);
  EXPECT_EQ(back.waitForUser, 1);
  EXPECT_EQ(back.calendarRequest, 17);
  EXPECT_EQ(back.ports[3], c.ports[3]);
  EXPECT_TRUE(back.ports[0].empty());
}

TEST(Configuration, StartCountAndCalendarRule) {
  const std::string path = TempPath("starts.ini");
  WriteText(path, "[OtlObmen]\nKolZapusk=3\nKalendarZapros=9\n");
  Configuration c = LoadConfiguration(path);
  EXPECT_EQ(c.startsLeft, 2);
  EXPECT_NE(FormatConfiguration(c).find("KalendarZapros=9"), std::string::npos);

  WriteText(path, "[OtlObmen]\nKolZapusk=1\nKalendarZapros=9\n");
  c = LoadConfiguration(path);
  EXPECT_EQ(c.startsLeft, 0);
  EXPECT_NE(FormatConfiguration(c).find("KalendarZapros=0"), std::string::npos);
}

TEST(Configuration, GarbageAndOutOfRangeValuesReadAsDefaults) {
  const Configuration c = ParseConfiguration(
      "garbage line\n[Parametres]\nBaudRate=16\nNumPort=-1\nWeitTime1=abc\nWeitTime2=54\nKol_povt=0\n"
      "Preamb=26\nAOSkor=99999999999999999999\n[Adress]\nAdress=255\n[Language]\nLangRus=2\n"
      "[OtlObmen]\nKolZapusk=-5\nKalendarZapros=256\n\x01\xFF=\n");
  const Configuration d;
  EXPECT_EQ(c.link.speedIndex, d.link.speedIndex);
  EXPECT_EQ(c.link.portIndex, d.link.portIndex);
  EXPECT_EQ(c.link.firstByteWait, d.link.firstByteWait);
  EXPECT_EQ(c.link.nextByteWait, d.link.nextByteWait);
  EXPECT_EQ(c.link.attempts, d.link.attempts);
  EXPECT_EQ(c.link.preambles, d.link.preambles);
  EXPECT_EQ(c.link.speedSearch, d.link.speedSearch);
  EXPECT_EQ(c.link.address, d.link.address);
  EXPECT_EQ(c.langRus, d.langRus);
  EXPECT_EQ(c.startsLeft, d.startsLeft);
  EXPECT_EQ(c.calendarRequest, d.calendarRequest);

  const Configuration edges =
      ParseConfiguration("[Parametres]\r\nWeitTime2 = 55\r\nBaudRate=15\r\n[Adress]\r\nAdress=254\r\n");
  EXPECT_EQ(edges.link.nextByteWait, 55);
  EXPECT_EQ(edges.link.speedIndex, 15);
  EXPECT_EQ(edges.link.address, 254);
}

TEST(ComSlots, ConfiguredPathWinsOverTheDefault) {
  Configuration c;
  c.ports[2] = "/dev/ttyAMA0";
  EXPECT_EQ(ComSlotPath(c, 2), "/dev/ttyAMA0");
  EXPECT_EQ(ComSlotPath(c, 3), DefaultComSlotPaths()[3]);
  EXPECT_EQ(ComSlotPath(c, 8), "");
}

}  // namespace
}  // namespace ruvenset

namespace ruvenset {
namespace {

TEST(Configuration, OverridesForOneRun) {
  Configuration c;
  EXPECT_TRUE(OverrideConfigurationKey(c, "BaudRate", "15"));
  EXPECT_EQ(c.link.speedIndex, 15);
  EXPECT_TRUE(OverrideConfigurationKey(c, "COM2", "/tmp/fc-link"));
  EXPECT_EQ(c.ports[1], "/tmp/fc-link");
  EXPECT_FALSE(OverrideConfigurationKey(c, "BaudRate", "16"));
  EXPECT_FALSE(OverrideConfigurationKey(c, "Unknown", "1"));
  EXPECT_FALSE(OverrideConfigurationKey(c, "COM9", "/dev/ttyS0"));
  EXPECT_EQ(c.link.speedIndex, 15);
}

}  // namespace
}  // namespace ruvenset

namespace ruvenset {
namespace {

TEST(Configuration, ProtocolLimitsAndTechnicianAreKeptAndReadBack) {
  const Configuration read = ParseConfiguration(
      "[Protocol]\r\nLimitPressure=0.25%\r\nLimitTemperature = 0,2\r\nLimitDiffPressure=-1\r\n"
      "LimitUpperDiffPressure=abc\r\nTechnician= Коваленко О. П. \r\n");
  ASSERT_TRUE(read.protocol.limits[0]);
  EXPECT_EQ(read.protocol.limits[0]->value, 0.25f);
  EXPECT_TRUE(read.protocol.limits[0]->percent);
  ASSERT_TRUE(read.protocol.limits[1]);
  EXPECT_EQ(read.protocol.limits[1]->value, 0.2f);
  EXPECT_FALSE(read.protocol.limits[1]->percent);
  for (int k : {2, 3, 4}) EXPECT_FALSE(read.protocol.limits[k]) << k;  // garbage and missing: no limit
  EXPECT_EQ(read.protocol.technician, "Коваленко О. П.");

  Configuration c;
  EXPECT_EQ(FormatConfiguration(c).find("[Protocol]"), std::string::npos);  // nothing set, no section
  c.protocol.limits[3] = PermissibleError{1.5f, false};
  c.protocol.limits[0] = PermissibleError{0.25f, true};
  c.protocol.technician = "Іваненко\r\nІ. І.";  // a line break cannot end the key's line
  const std::string text = FormatConfiguration(c);
  EXPECT_NE(text.find("[Protocol]\r\nLimitPressure=0.25%\r\nLimitLowerDiffPressure=1.5\r\n"
                      "Technician=Іваненко  І. І.\r\n"),
            std::string::npos)
      << text;
  const Configuration back = ParseConfiguration(text);
  EXPECT_EQ(back.protocol.limits[3]->value, 1.5f);
  EXPECT_TRUE(back.protocol.limits[0]->percent);
  EXPECT_EQ(back.protocol.technician, "Іваненко  І. І.");

  EXPECT_TRUE(OverrideConfigurationKey(c, "LimitTemperature", "0,3"));
  EXPECT_EQ(c.protocol.limits[1]->value, 0.3f);
  EXPECT_FALSE(OverrideConfigurationKey(c, "LimitTemperature", "0"));
  EXPECT_EQ(c.protocol.limits[1]->value, 0.3f);
  EXPECT_TRUE(OverrideConfigurationKey(c, "Technician", "Петренко"));
  EXPECT_EQ(c.protocol.technician, "Петренко");
}

}  // namespace
}  // namespace ruvenset
