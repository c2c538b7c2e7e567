#include <gtest/gtest.h>

#include "storage/calibration_menu.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

// Stop pressed while the answer to the second memory write is awaited: the flow computer stored it,
// the answer never comes, and there is no further attempt. Answered No to the retry question, the
// write-back ends, leaves service mode and says the link failed.
TEST_F(StorageFixture, WriteBackStoppedWhileWritingLeavesServiceMode) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  state.config.link.firstByteWait = 20;
  state.config.link.attempts = 5;
  int writes = 0;
  peer->filter = [&](const std::vector<uint8_t>& request, std::vector<uint8_t>&) {
    if (request[3] != 0x14 || ++writes != 2) return true;
    state.link.stop().Request();
    return false;
  };
  technician.confirms = {false};
  const int64_t start = clock.NowNs();
  const WriteBackOutcome outcome = StoreCalibrationSection(tools, CalibrationSection::Temperature);
  EXPECT_EQ(outcome.result, WriteBackResult::LinkAbandoned);
  EXPECT_EQ(outcome.message, Text(2196));
  EXPECT_EQ(outcome.stepsWritten, 1);
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(technician.Count("confirm " + Text(2195) + " | " + Text(2196)), 1);
  int lastWrite = -1;
  int lastLeave = -1;
  for (size_t i = 0; i < peer->requests.size(); ++i) {
    if (peer->requests[i][3] == 0x14) lastWrite = static_cast<int>(i);
    if (peer->requests[i][3] == 0x11) lastLeave = static_cast<int>(i);
  }
  EXPECT_GT(lastLeave, lastWrite);
  EXPECT_EQ(peer->model.State(1, clock.NowNs() + 5'000'000'000), 0);
  EXPECT_LT(clock.NowNs() - start, int64_t{20'000'000'000});
}

}  // namespace
}  // namespace ruvenset::testing
