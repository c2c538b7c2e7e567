#include <gtest/gtest.h>

#include "device/passwords.h"
#include "device/pipeline_state.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "scripted_peer.h"
#include "scripted_technician.h"
#include "session/program_state.h"

namespace ruvenset {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::Response;

// A state record as a flow computer of the given byte order sends it: state 2, three floats, a flag
// byte, the density constant 0.7 and two more bytes, so that every float is byte-order sensitive.
Bytes DeviceStateRecord(DeviceByteOrder order) {
  Bytes record(kPipelineStateSize, 0);
  record[0] = 2;
  record[1] = 0x11;
  auto put = [&](int at, uint32_t bits) {
    for (int i = 0; i < 4; ++i) {
      const int shift = order == DeviceByteOrder::LsbFirst ? 8 * i : 24 - 8 * i;
      record[static_cast<size_t>(at + i)] = static_cast<uint8_t>(bits >> shift);
    }
  };
  put(2, 0x3F9D70A4);   // 1.23
  put(6, 0x42C80000);   // 100
  put(10, 0xC1200000);  // -10
  record[14] = 0x41;
  put(15, 0x3F333333);  // 0.7
  return record;
}

struct PipelineStateTest : ::testing::Test {
  PipelineStateTest() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", state.texts);
    auto loop = std::make_unique<LoopbackPort>(clock);
    port = loop.get();
    state.AttachPort(std::move(loop));
    state.record.configuration[16] = 1;
    EncodePassword("1234", state.record.writePassword);
  }

  // Reads pipeline 1's record from a flow computer that sends `device` and writes it straight back;
  // returns the record as it went out in the write request.
  Bytes RoundTrip(const Bytes& device) {
    testing::ScriptedPeer peer(*port, [&](const Bytes& request, int) {
      if (request[3] == 0x08) {
        Bytes data{1};
        data.insert(data.end(), device.begin(), device.end());
        return Response(1, 0x88, data);
      }
      return Response(1, 0x89);
    });
    if (SelectLine(state, technician, 1, false) != SelectResult::Selected) return {};
    if (WritePipelineState(state, technician, technician, 1) != PipelineResult::Done) return {};
    const Bytes& write = peer.requests.back();
    const size_t size = static_cast<size_t>(PipelineStateSize(state.record.id));
    if (write.size() < 4 + 17 + size) return {};
    return Bytes(write.begin() + 4 + 17, write.begin() + 4 + 17 + static_cast<long>(size));
  }

  VirtualLinkClock clock;
  ProgramState state{clock};
  LoopbackPort* port = nullptr;
  testing::ScriptedTechnician technician;
};

TEST_F(PipelineStateTest, WrittenRecordIsByteExactForEveryDensityRule) {
  struct Case {
    const char* name;
    int version;
    uint8_t option4;
    int preambleInRts;
  };
  const Case cases[] = {
      {"option bit 5, served model", 30, 0x20, 1},   {"option bit 5, old version", 8, 0x20, 0},
      {"new version, plain line", 20, 0x00, 0},      {"new version, preamble in RTS", 30, 0x00, 1},
      {"new version, option bits 0-1", 20, 0x01, 0}, {"version 8 without option bit", 8, 0x00, 0},
  };
  for (const auto& c : cases) {
    for (DeviceByteOrder order : {DeviceByteOrder::MsbFirst, DeviceByteOrder::LsbFirst}) {
      state.record.id.version = c.version;
      state.record.id.byteOrder = order;
      state.record.id.response[4 + 4] = c.option4;
      state.link.runtime().preambleInRts = c.preambleInRts;
      Bytes device = DeviceStateRecord(order);
      device.resize(static_cast<size_t>(PipelineStateSize(state.record.id)));
      EXPECT_EQ(RoundTrip(device), device)
          << c.name << (order == DeviceByteOrder::LsbFirst ? " lsb" : " msb");
    }
  }
}

TEST_F(PipelineStateTest, StateByteKeepsOnlyItsLowNibble) {
  Bytes device = DeviceStateRecord(DeviceByteOrder::MsbFirst);
  device[0] = 0xA3;
  for (bool marked : {false, true}) {
    state.record.id.version = 30;
    state.record.id.response[4 + 40] = marked ? 0x80 : 0x00;
    testing::ScriptedPeer peer(*port, [&](const Bytes&, int) {
      Bytes data{1};
      data.insert(data.end(), device.begin(), device.end());
      return Response(1, 0x88, data);
    });
    ASSERT_EQ(SelectLine(state, technician, 1, false), SelectResult::Selected);
    EXPECT_EQ(state.record.pipelineStateByte(1), 3);
    EXPECT_EQ(state.record.pipelineStateNibble[0], marked ? 0x0A : 0x00);
  }
}

}  // namespace
}  // namespace ruvenset
