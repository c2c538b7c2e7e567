#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "common/byte_order.h"
#include "common/crc16.h"

namespace ruvenset {
namespace {

TEST(Crc16Modbus, CheckValueAndFrameTails) {
  const char* digits = "123456789";
  EXPECT_EQ(Crc16Modbus(reinterpret_cast<const uint8_t*>(digits), 9), 0x4B37);

  struct Vector {
    std::vector<uint8_t> head;
    uint8_t low, high;
  };
  const Vector vectors[] = {
      {{0xAA, 0x01, 0x06, 0x01}, 0xB2, 0x5C},
      {{0xAA, 0x01, 0x06, 0x02}, 0xF2, 0x5D},
  };
  for (const auto& v : vectors) {
    std::vector<uint8_t> frame = v.head;
    frame.resize(frame.size() + 2);
    StoreCrc16(frame.data(), v.head.size());
    EXPECT_EQ(frame[v.head.size()], v.low);
    EXPECT_EQ(frame[v.head.size() + 1], v.high);
    EXPECT_TRUE(Crc16Matches(frame.data(), v.head.size()));
    std::swap(frame[v.head.size()], frame[v.head.size() + 1]);
    EXPECT_FALSE(Crc16Matches(frame.data(), v.head.size()));
  }
}

float AsFloat(const uint8_t* b) {
  float f;
  std::memcpy(&f, b, 4);
  return f;
}

TEST(DeviceByteOrder, FloatsFromEitherOrder) {
  uint8_t msb[4] = {0x42, 0xC8, 0x00, 0x00};
  DeviceFloatToHost(msb, 0, DeviceByteOrder::MsbFirst);
  EXPECT_EQ(AsFloat(msb), 100.0f);

  uint8_t lsb[4] = {0x00, 0x00, 0xC8, 0x42};
  DeviceFloatToHost(lsb, 0, DeviceByteOrder::LsbFirst);
  EXPECT_EQ(AsFloat(lsb), 100.0f);

  uint8_t stored[4];
  StoreDeviceFloat(stored, 100.0f, DeviceByteOrder::MsbFirst);
  EXPECT_EQ(std::vector<uint8_t>(stored, stored + 4), (std::vector<uint8_t>{0x42, 0xC8, 0x00, 0x00}));

  uint8_t word[2] = {0x12, 0x34};
  EXPECT_EQ(DeviceWordAt(word, DeviceByteOrder::MsbFirst), 0x1234);
  EXPECT_EQ(DeviceWordAt(word, DeviceByteOrder::LsbFirst), 0x3412);
}

TEST(DeviceByteOrder, NotANumberHandlingByMode) {
  const uint8_t signalingNan[4] = {0x7F, 0x80, 0x00, 0x01};  // MSB first
  EXPECT_EQ(DeviceFloatAt(signalingNan, DeviceByteOrder::MsbFirst, 4), 99999.0f);

  uint8_t quieted[4] = {0x7F, 0x80, 0x00, 0x01};
  DeviceFloatToHost(quieted, 1, DeviceByteOrder::MsbFirst);
  uint32_t bits;
  std::memcpy(&bits, quieted, 4);
  EXPECT_EQ(bits, 0x7FC00001u);

  const uint8_t infinity[4] = {0x7F, 0x80, 0x00, 0x00};
  EXPECT_EQ(DeviceFloatAt(infinity, DeviceByteOrder::MsbFirst, 4), std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(DeviceFloatAt(signalingNan, DeviceByteOrder::MsbFirst, 0)));
}

TEST(LittleEndianFields, RoundTrip) {
  uint8_t b[8];
  StoreLe32(b, 0x11223344u);
  EXPECT_EQ(b[0], 0x44);
  EXPECT_EQ(LoadLe32(b), 0x11223344u);
  StoreLeDouble(b, 45000.5);
  EXPECT_EQ(LoadLeDouble(b), 45000.5);
  StoreLeFloat(b, -1.25f);
  EXPECT_EQ(LoadLeFloat(b), -1.25f);
}

}  // namespace
}  // namespace ruvenset
