#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/byte_order.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

// A flow computer whose identification decides whether the state record's density bytes are a float.
struct DensityCase {
  const char* name;
  int model;
  uint8_t options;
  bool lsb;
};

// The substitute constant a technician sets on one channel kind: its record offset and flag bit.
struct KindChange {
  int kind;
  int offset;
  uint8_t flagBit;
  float constant;
};

constexpr DensityCase kCases[] = {
    {"OptionBit5MsbFirst", 16, 0x20, false},
    {"OptionBit5LsbFirst", 16, 0x20, true},
    {"NewVersionWithoutPreambleInRts", 4, 0x00, false},
    {"PreambleInRtsMsbFirst", 16, 0x00, false},
    {"PreambleInRtsLsbFirst", 16, 0x00, true},
    {"OptionBits01Set", 4, 0x01, false},
};

constexpr KindChange kChanges[] = {
    {kKindPressure, 6, 0x01, 2.5f},
    {kKindTemperature, 10, 0x02, 25.5f},
    {kKindDiffPressure, 2, 0x04, 100.0f},
};

struct SubstituteWrite : VerificationFixture, ::testing::WithParamInterface<DensityCase> {};

// The written state record is the one the flow computer sent, with only the technician's change in it:
// the channel's flag bit cleared and its constant in the flow computer's byte order. Whatever the density
// bytes hold, they go back exactly as they came.
TEST_P(SubstituteWrite, ChangesOnlyTheChosenConstant) {
  const DensityCase& c = GetParam();
  for (const KindChange& change : kChanges) {
    SCOPED_TRACE(change.kind);
    sim::FlowComputerConfig device;
    device.model = c.model;
    device.options = c.options;
    device.lsb = c.lsb;
    Connect(device);
    peer->requests.clear();
    Bytes read;
    peer->filter = [&](const Bytes& request, Bytes& response) {
      if (request[0] == 0xBB && request[3] == 0x08)
        read.assign(response.begin() + 5, response.begin() + 5 + 19);
      return true;
    };
    pages.substitute = {SubstituteValueAnswer{false, change.constant}};
    technician.confirms = {true};
    (void)Verify(change.kind);

    std::vector<Bytes> writes;
    for (const Bytes& r : peer->requests) {
      if (r[0] == 0xBB && r[3] == 0x09) writes.push_back(r);
    }
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_EQ(writes[0].size(), 42u);
    ASSERT_EQ(read.size(), 19u);
    const Bytes written(writes[0].begin() + 21, writes[0].begin() + 40);
    Bytes expected = read;
    expected[1] &= static_cast<uint8_t>(~change.flagBit);
    StoreDeviceFloat(expected.data() + change.offset, change.constant,
                     c.lsb ? DeviceByteOrder::LsbFirst : DeviceByteOrder::MsbFirst);
    EXPECT_EQ(written, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(DensityBytes, SubstituteWrite, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ruvenset::testing
