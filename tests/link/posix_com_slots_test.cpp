#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "link/posix_com_slots.h"

namespace ruvenset {
namespace {

std::string TempPath(const std::string& name) {
  const std::string dir = ::testing::TempDir() + "ruvenset-slots-" + std::to_string(::getpid());
  ::mkdir(dir.c_str(), 0755);
  return dir + "/" + name;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(ComSlots, UsbAdaptersFirstUnderStableNames) {
  const std::string root = TempPath("dev");
  ::mkdir(root.c_str(), 0755);
  ::mkdir((root + "/serial").c_str(), 0755);
  ::mkdir((root + "/serial/by-id").c_str(), 0755);
  WriteText(root + "/ttyUSB0", "");
  WriteText(root + "/ttyUSB1", "");
  ::symlink((root + "/ttyUSB1").c_str(), (root + "/serial/by-id/usb-Prolific-port0").c_str());
  const auto slots = DefaultComSlotPathsUnder(root);
  EXPECT_EQ(slots[0], root + "/serial/by-id/usb-Prolific-port0");
  EXPECT_EQ(slots[1], root + "/ttyUSB0");
  EXPECT_EQ(slots[2], root + "/ttyS0");
  EXPECT_EQ(slots[7], root + "/ttyS5");
  EXPECT_EQ(PresentSerialPortsUnder(root),
            (std::vector<std::string>{root + "/serial/by-id/usb-Prolific-port0", root + "/ttyUSB0"}));
}

}  // namespace
}  // namespace ruvenset
